#include <cstdlib>
#include <optional>

#include "platform/settings_file/config_folder.h"

namespace tagsmit {
namespace {

// An environment value that names an absolute folder; relative or empty
// values are ignored, as the XDG base directory rules ask.
std::optional<std::filesystem::path> AbsoluteFromEnvironment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != '/') return std::nullopt;
  return std::filesystem::path(value);
}

}  // namespace

Result<std::filesystem::path> UserConfigFolder() {
  if (auto config = AbsoluteFromEnvironment("XDG_CONFIG_HOME")) return *config;
  if (auto home = AbsoluteFromEnvironment("HOME")) return *home / ".config";
  return Result<std::filesystem::path>::Failure(
      "設定フォルダーがわかりません（HOME も XDG_CONFIG_HOME もありません）");
}

}  // namespace tagsmit
