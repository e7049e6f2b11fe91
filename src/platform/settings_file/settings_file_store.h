#pragma once

#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace tagsmit {

// The settings store as one JSON file per application, in the user's
// configuration folder: <folder>/<application, lower case>/settings.json,
// mapping each section to an object of key -> text.
//
// Every operation reads the file afresh. A missing file holds no entries. A
// file that cannot be read or parsed holds no entries either; a save never
// writes over a file it could not read, and keeps a copy of one it could not
// parse beside it (settings.json.corrupt-<UTC time>) before replacing it.
// Each save or deletion replaces the whole file atomically, so a failure
// leaves the previous file as it was.
class SettingsFileStore : public SettingsStore {
 public:
  std::string Get(const std::string& app, const std::string& section,
                  const std::string& key) override;
  std::vector<SettingsEntry> GetAll(const std::string& app, const std::string& section) override;
  Status Save(const std::string& app, const std::string& section,
              const std::vector<SettingsEntry>& entries) override;
  Status DeleteSection(const std::string& app, const std::string& section) override;
};

}  // namespace tagsmit
