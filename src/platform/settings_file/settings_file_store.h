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
// writes over a file it could not read. Nothing is destroyed unseen: a file
// that could not be parsed is kept beside the new one before a save replaces
// it (settings.json.corrupt-<UTC time>), and so is the file as it was before
// a section is deleted (settings.json.old-<UTC time>). A change that fails
// leaves the file as it was and keeps no copy of it.
//
// Each save or deletion reads, changes and replaces the whole file under a
// lock of its folder, so that concurrent saves never lose each other's
// change, and replaces it atomically, so that a failure or a crash leaves the
// previous file as it was. A failure names the file and the reason.
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
