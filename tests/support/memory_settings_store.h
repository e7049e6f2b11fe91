#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/settings_store.h"

namespace tagsmit::testing {

// An in-memory store with the store's name rules: application and section
// names compare without regard to case, keys too, and keep creation order.
class MemorySettingsStore : public SettingsStore {
 public:
  std::string Get(const std::string& app, const std::string& section,
                  const std::string& key) override;
  std::vector<SettingsEntry> GetAll(const std::string& app, const std::string& section) override;
  Status Save(const std::string& app, const std::string& section,
              const std::vector<SettingsEntry>& entries) override;
  Status DeleteSection(const std::string& app, const std::string& section) override;

  bool fail_changes = false;  // every Save and DeleteSection fails and changes nothing
  int saves = 0;

 private:
  std::map<std::string, std::vector<SettingsEntry>> sections_;  // "app/section", folded
};

}  // namespace tagsmit::testing
