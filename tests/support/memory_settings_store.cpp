#include "memory_settings_store.h"

#include <algorithm>

#include "base/ascii.h"

namespace tagsmit::testing {
namespace {

std::string SectionKey(const std::string& app, const std::string& section) {
  return AsciiLower(app) + "/" + AsciiLower(section);
}

auto FindKey(std::vector<SettingsEntry>& entries, const std::string& key) {
  return std::find_if(entries.begin(), entries.end(), [&](const SettingsEntry& e) {
    return AsciiLower(e.first) == AsciiLower(key);
  });
}

}  // namespace

std::string MemorySettingsStore::Get(const std::string& app, const std::string& section,
                                     const std::string& key) {
  auto found = sections_.find(SectionKey(app, section));
  if (found == sections_.end()) return {};
  auto entry = FindKey(found->second, key);
  return entry == found->second.end() ? std::string{} : entry->second;
}

std::vector<SettingsEntry> MemorySettingsStore::GetAll(const std::string& app,
                                                       const std::string& section) {
  auto found = sections_.find(SectionKey(app, section));
  return found == sections_.end() ? std::vector<SettingsEntry>{} : found->second;
}

Status MemorySettingsStore::Save(const std::string& app, const std::string& section,
                                 const std::vector<SettingsEntry>& entries) {
  if (fail_saves)
    return Status::Failure("/home/u/.config/tagsmit/settings.json\nNo space left on device");
  ++saves;
  auto& stored = sections_[SectionKey(app, section)];
  for (const auto& [key, value] : entries) {
    auto entry = FindKey(stored, key);
    if (entry == stored.end()) {
      stored.emplace_back(key, value);
    } else {
      entry->second = value;
    }
  }
  return Status::Ok();
}

Status MemorySettingsStore::DeleteSection(const std::string& app, const std::string& section) {
  ++deletes;
  sections_.erase(SectionKey(app, section));
  return Status::Ok();
}

}  // namespace tagsmit::testing
