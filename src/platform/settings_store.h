#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "base/ascii.h"
#include "base/result.h"

namespace tagsmit {

using SettingsEntry = std::pair<std::string, std::string>;  // key, value

// The value of `key` among `entries`, keys compared as the store compares
// them; empty text when there is no such key.
inline std::string ValueOf(const std::vector<SettingsEntry>& entries, std::string_view key) {
  const auto found = FindNamed(entries, key, &SettingsEntry::first);
  return found == entries.end() ? std::string{} : found->second;
}

// Per-user store of application / section / key -> text. Names compare
// without regard to case; a section lists its keys in order of creation and
// rewriting a key keeps its place.
class SettingsStore {
 public:
  virtual ~SettingsStore() = default;

  // The value, or empty text when the key does not exist.
  virtual std::string Get(const std::string& app, const std::string& section,
                          const std::string& key) = 0;
  // The section's entries in order of creation; empty when it does not exist.
  virtual std::vector<SettingsEntry> GetAll(const std::string& app, const std::string& section) = 0;
  // Saves all `entries` in one step: either every value is stored or, on
  // failure, the store is left as it was.
  virtual Status Save(const std::string& app, const std::string& section,
                      const std::vector<SettingsEntry>& entries) = 0;
  virtual Status DeleteSection(const std::string& app, const std::string& section) = 0;
};

}  // namespace tagsmit
