#include "platform/settings_file/settings_document.h"

#include <set>
#include <utility>

namespace tagsmit {
namespace {

using Json = nlohmann::ordered_json;

bool SameName(std::string_view stored, std::string_view wanted) {
  return FoldName(stored) == FoldName(wanted);
}

// The first member of `object` whose name matches, or end().
template <typename Object>
auto FindMember(Object& object, std::string_view name) {
  auto it = object.begin();
  while (it != object.end() && !SameName(it.key(), name)) ++it;
  return it;
}

bool IsUtf8(const std::string& text) {
  try {
    (void)Json(text).dump();
    return true;
  } catch (const Json::type_error&) {
    return false;
  }
}

}  // namespace

std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (char& c : folded) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return folded;
}

SettingsDocument::SettingsDocument() : root_(Json::object()) {}

std::optional<SettingsDocument> SettingsDocument::Parse(std::string_view text) {
  Json root = Json::parse(text, nullptr, /*allow_exceptions=*/false);
  if (!root.is_object()) return std::nullopt;  // also a parse error (discarded)
  return SettingsDocument(std::move(root));
}

std::vector<SettingsEntry> SettingsDocument::Entries(std::string_view section) const {
  std::vector<SettingsEntry> entries;
  auto found = FindMember(root_, section);
  if (found == root_.end() || !found->is_object()) return entries;
  std::set<std::string> seen;  // folded names: the first member of a name decides
  for (auto it = found->begin(); it != found->end(); ++it) {
    if (!seen.insert(FoldName(it.key())).second) continue;
    if (it->is_string()) entries.emplace_back(it.key(), it->get<std::string>());
  }
  return entries;
}

Status SettingsDocument::Set(std::string_view section, const std::vector<SettingsEntry>& entries) {
  if (!IsUtf8(std::string(section))) return Status::Failure("the section name is not UTF-8 text");
  for (const auto& [key, value] : entries) {
    if (!IsUtf8(key)) return Status::Failure("a key name is not UTF-8 text");
    if (!IsUtf8(value)) return Status::Failure("the value of " + key + " is not UTF-8 text");
  }
  auto found = FindMember(root_, section);
  Json& stored = found == root_.end() ? root_[std::string(section)] : *found;
  if (!stored.is_object()) stored = Json::object();  // a new section, or one that held no entries
  for (const auto& [key, value] : entries) {
    auto member = FindMember(stored, key);
    if (member == stored.end()) {
      stored[key] = value;
    } else {
      *member = value;
    }
  }
  return Status::Ok();
}

bool SettingsDocument::Delete(std::string_view section) {
  std::vector<std::string> names;
  for (auto it = root_.begin(); it != root_.end(); ++it) {
    if (SameName(it.key(), section)) names.push_back(it.key());
  }
  for (const auto& name : names) root_.erase(name);
  return !names.empty();
}

std::string SettingsDocument::Dump() const {
  return root_.dump(2) + "\n";
}

}  // namespace tagsmit
