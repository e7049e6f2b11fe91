#include "memory_settings_store.h"

#include "base/ascii.h"

namespace tagsmit::testing {
namespace {

std::string SectionKey(const std::string& app, const std::string& section) {
  return AsciiLower(app) + "/" + AsciiLower(section);
}

Status NoSpace() {
  return Status::Failure("/home/u/.config/tagsmit/settings.json\nNo space left on device");
}

}  // namespace

std::string MemorySettingsStore::Get(const std::string& app, const std::string& section,
                                     const std::string& key) {
  return ValueOf(GetAll(app, section), key);
}

std::vector<SettingsEntry> MemorySettingsStore::GetAll(const std::string& app,
                                                       const std::string& section) {
  auto found = sections_.find(SectionKey(app, section));
  return found == sections_.end() ? std::vector<SettingsEntry>{} : found->second;
}

Status MemorySettingsStore::Save(const std::string& app, const std::string& section,
                                 const std::vector<SettingsEntry>& entries) {
  if (fail_changes) return NoSpace();
  ++saves;
  auto& stored = sections_[SectionKey(app, section)];
  for (const auto& [key, value] : entries) {
    auto entry = FindNamed(stored, key, &SettingsEntry::first);
    if (entry == stored.end()) {
      stored.emplace_back(key, value);
    } else {
      entry->second = value;
    }
  }
  return Status::Ok();
}

Status MemorySettingsStore::DeleteSection(const std::string& app, const std::string& section) {
  if (fail_changes) return NoSpace();
  sections_.erase(SectionKey(app, section));
  return Status::Ok();
}

}  // namespace tagsmit::testing
