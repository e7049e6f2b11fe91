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

// A value as the settings read it: text as it is, numbers and true/false as
// their JSON text, null, arrays and objects as empty text. A value of another
// type still takes its place, since the settings are read by position.
std::string ValueText(const Json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number() || value.is_boolean()) return value.dump();
  return {};
}

// Appends the compact JSON text of `value`. Written without recursion, so
// that no depth of nesting can exhaust the stack.
void AppendCompact(const Json& value, std::string& out) {
  struct Open {
    const Json* container;
    Json::const_iterator next;
  };
  std::vector<Open> open;
  const auto start = [&](const Json& item) {
    if (!item.is_structured()) {
      out += item.dump();
      return;
    }
    out += item.is_object() ? '{' : '[';
    open.push_back({&item, item.begin()});
  };
  start(value);
  while (!open.empty()) {
    Open& top = open.back();
    if (top.next == top.container->end()) {
      out += top.container->is_object() ? '}' : ']';
      open.pop_back();
      continue;
    }
    if (top.next != top.container->begin()) out += ',';
    if (top.container->is_object()) {
      out += Json(top.next.key()).dump();
      out += ':';
    }
    const Json& item = *top.next++;
    start(item);  // may grow `open`: `top` is not used after this
  }
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
    entries.emplace_back(it.key(), ValueText(*it));
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
  // Sections and their keys one to a line, for the person who edits the file;
  // each value in its compact form, so that the file grows with what it holds
  // and never with the depth of its nesting.
  std::string out = "{";
  for (auto section = root_.begin(); section != root_.end(); ++section) {
    out += section == root_.begin() ? "\n  " : ",\n  ";
    out += Json(section.key()).dump() + ": ";
    if (!section->is_object() || section->empty()) {
      AppendCompact(*section, out);
      continue;
    }
    out += '{';
    for (auto entry = section->begin(); entry != section->end(); ++entry) {
      out += entry == section->begin() ? "\n    " : ",\n    ";
      out += Json(entry.key()).dump() + ": ";
      AppendCompact(*entry, out);
    }
    out += "\n  }";
  }
  out += root_.empty() ? "}\n" : "\n}\n";
  return out;
}

}  // namespace tagsmit
