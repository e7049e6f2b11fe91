#include "run/paste_text.h"

#include <cstdint>

#include "image/image_size.h"
#include "path/reference_path.h"
#include "run/clip_str.h"

namespace tagsmit {
namespace {

constexpr const char* kNotFound = "ディレクトリまたはファイルが見つかりません";

// A size as text with the one blank before it that a number's text has
// where it has no sign; the paste-string expansion trims it.
std::string NumberText(std::uint64_t value) {
  return " " + std::to_string(value);
}

SizeSwitches SizeSwitchesOf(const Options& options) {
  return {.more_formats = options.MoreFormats != 0, .display_size = options.DisplaySize != 0};
}

std::string ReferencePath(const Options& options, FileSystem& fs, const std::string& file_name) {
  if (options.RelativePath != 0) {
    return MakeUrlPath(fs.Style(), options.BasePath, GetActualPath(fs, file_name));
  }
  return options.FixedPath + fs.LookupFileName(file_name);
}

}  // namespace

Result<std::string> MakePasteText(const Options& options, Services& services,
                                  const std::string& file_name) {
  const SizeResult size = GetImageSize(services.fs, file_name, SizeSwitchesOf(options));
  if (!size.ok()) return Result<std::string>::Failure(size.error());

  std::string path = ReferencePath(options, services.fs, file_name);
  if (path.empty()) return Result<std::string>::Failure(kNotFound);
  if (options.LowerCase != 0) path = services.desktop.ToLower(path);

  return ExpandClipStr(options.CurClipStr, path, NumberText(size.value().width),
                       NumberText(size.value().height));
}

}  // namespace tagsmit
