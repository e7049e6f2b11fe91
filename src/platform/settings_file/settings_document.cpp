#include "platform/settings_file/settings_document.h"

#include <nlohmann/json.hpp>
#include <set>
#include <unordered_map>
#include <utility>

#include "base/ascii.h"

namespace tagsmit {
namespace {

using Json = nlohmann::json;

std::string Quoted(const std::string& text) {
  return Json(text).dump();
}

bool IsUtf8(const std::string& text) {
  try {
    (void)Quoted(text);
    return true;
  } catch (const Json::type_error&) {
    return false;
  }
}

}  // namespace

// Builds the sections and their entries from the parser's events. A value
// below the entries is written out as compact JSON text while it is read, one
// open container at a time, so nothing depends on its depth.
class SettingsDocument::Reader final : public nlohmann::json_sax<Json> {
 public:
  explicit Reader(std::vector<Section>& sections) : sections_(sections) {}

  bool complete() const { return level_ == Level::kDone; }

  bool null() override { return Scalar({Value::Kind::kOther, "null"}); }
  bool boolean(bool value) override {
    return Scalar({Value::Kind::kNumberOrBoolean, value ? "true" : "false"});
  }
  bool number_integer(number_integer_t value) override { return Number(Json(value)); }
  bool number_unsigned(number_unsigned_t value) override { return Number(Json(value)); }
  bool number_float(number_float_t value, const string_t&) override { return Number(Json(value)); }
  bool string(string_t& value) override { return Scalar({Value::Kind::kText, std::move(value)}); }
  bool binary(binary_t&) override { return false; }  // never in JSON text
  bool start_object(std::size_t) override { return Open(true); }
  bool start_array(std::size_t) override { return Open(false); }
  bool end_object() override { return Close(); }
  bool end_array() override { return Close(); }
  bool parse_error(std::size_t, const std::string&, const Json::exception&) override {
    return false;
  }

  bool key(string_t& name) override {
    if (open_.empty()) {
      key_ = std::move(name);
    } else {
      Separate();
      raw_ += Quoted(name);
      raw_ += ':';
    }
    return true;
  }

 private:
  enum class Level { kStart, kSections, kEntries, kDone };
  struct Container {
    bool object;
    bool empty = true;
  };

  bool Number(const Json& number) { return Scalar({Value::Kind::kNumberOrBoolean, number.dump()}); }

  bool Scalar(Value value) {
    if (open_.empty()) return Deliver(std::move(value));
    BeforeValue();
    raw_ += value.JsonText();
    return true;
  }

  bool Open(bool object) {
    if (!open_.empty()) {
      BeforeValue();
    } else if (level_ == Level::kStart) {
      if (!object) return false;  // the file must be an object
      level_ = Level::kSections;
      return true;
    } else if (level_ == Level::kSections && object) {
      Section& section = Named(sections_, section_at_, section_);
      section = Section{section.name, true, {}, {}};
      entry_at_.clear();
      level_ = Level::kEntries;
      return true;
    }
    raw_ += object ? '{' : '[';
    open_.push_back({object});
    return true;
  }

  bool Close() {
    if (open_.empty()) {
      level_ = level_ == Level::kEntries ? Level::kSections : Level::kDone;
      return true;
    }
    raw_ += open_.back().object ? '}' : ']';
    open_.pop_back();
    if (!open_.empty()) return true;
    return Deliver({Value::Kind::kOther, std::exchange(raw_, {})});
  }

  // A complete value of a section or an entry. A name that comes again takes
  // the place of the first, as a JSON object holds one value per name.
  bool Deliver(Value value) {
    if (level_ == Level::kSections) {
      Section& section = Named(sections_, section_at_, section_);
      section = Section{section.name, false, {}, std::move(value)};
      return true;
    }
    if (level_ != Level::kEntries) return false;  // the file must be an object
    std::size_t entry = 0;
    Named(sections_[section_].entries, entry_at_, entry).value = std::move(value);
    return true;
  }

  template <typename Item>
  Item& Named(std::vector<Item>& items, std::unordered_map<std::string, std::size_t>& at,
              std::size_t& index) {
    const auto [found, added] = at.try_emplace(key_, items.size());
    if (added) {
      items.emplace_back();
      items.back().name = key_;
    }
    index = found->second;
    return items[index];
  }

  // The comma between two members or elements of a value written out.
  void Separate() {
    if (!open_.back().empty) raw_ += ',';
    open_.back().empty = false;
  }
  void BeforeValue() {
    if (!open_.back().object) Separate();  // in an object, the name came first
  }

  std::vector<Section>& sections_;
  Level level_ = Level::kStart;
  std::string key_;  // of the section or entry whose value comes next
  std::size_t section_ = 0;
  std::unordered_map<std::string, std::size_t> section_at_;
  std::unordered_map<std::string, std::size_t> entry_at_;  // of that section
  std::string raw_;                                        // the value being written out
  std::vector<Container> open_;                            // its open containers
};

std::string SettingsDocument::Value::Read() const {
  return kind == Kind::kOther ? std::string() : text;
}

std::string SettingsDocument::Value::JsonText() const {
  return kind == Kind::kText ? Quoted(text) : text;
}

SettingsDocument::SettingsDocument() = default;

std::optional<SettingsDocument> SettingsDocument::Parse(std::string_view text) {
  SettingsDocument document;
  Reader reader(document.sections_);
  if (!Json::sax_parse(text, &reader) || !reader.complete()) return std::nullopt;
  return document;
}

std::vector<SettingsEntry> SettingsDocument::Entries(std::string_view section) const {
  std::vector<SettingsEntry> entries;
  const auto found = FindNamed(sections_, section, &Section::name);
  if (found == sections_.end() || !found->is_object) return entries;
  std::set<std::string> seen;  // folded names: the first entry of a name decides
  for (const Entry& entry : found->entries) {
    if (seen.insert(AsciiLower(entry.name)).second) {
      entries.emplace_back(entry.name, entry.value.Read());
    }
  }
  return entries;
}

Status SettingsDocument::Set(std::string_view section, const std::vector<SettingsEntry>& entries) {
  if (!IsUtf8(std::string(section))) return Status::Failure("the section name is not UTF-8 text");
  for (const auto& [key, value] : entries) {
    if (!IsUtf8(key)) return Status::Failure("a key name is not UTF-8 text");
    if (!IsUtf8(value)) return Status::Failure("the value of " + key + " is not UTF-8 text");
  }
  auto found = FindNamed(sections_, section, &Section::name);
  if (found == sections_.end()) {
    found = sections_.insert(found, Section{std::string(section), true, {}, {}});
  }
  Section& stored = *found;
  if (!stored.is_object) stored = Section{stored.name, true, {}, {}};  // it held no entries
  for (const auto& [key, value] : entries) {
    auto entry = FindNamed(stored.entries, key, &Entry::name);
    if (entry == stored.entries.end()) {
      stored.entries.push_back({key, {Value::Kind::kText, value}});
    } else {
      entry->value = {Value::Kind::kText, value};
    }
  }
  return Status::Ok();
}

bool SettingsDocument::Delete(std::string_view section) {
  return std::erase_if(sections_, [&](const Section& s) {
           return EqualIgnoringAsciiCase(s.name, section);
         }) > 0;
}

std::string SettingsDocument::Dump() const {
  // Sections and their keys one to a line, for the person who edits the file;
  // each value in its compact form, so that the file grows with what it holds
  // and never with the depth of its nesting.
  std::string out = "{";
  for (auto section = sections_.begin(); section != sections_.end(); ++section) {
    out += section == sections_.begin() ? "\n  " : ",\n  ";
    out += Quoted(section->name) + ": ";
    if (!section->is_object) {
      out += section->value.JsonText();
      continue;
    }
    if (section->entries.empty()) {
      out += "{}";
      continue;
    }
    out += '{';
    for (auto entry = section->entries.begin(); entry != section->entries.end(); ++entry) {
      out += entry == section->entries.begin() ? "\n    " : ",\n    ";
      out += Quoted(entry->name) + ": ";
      out += entry->value.JsonText();
    }
    out += "\n  }";
  }
  out += sections_.empty() ? "}\n" : "\n}\n";
  return out;
}

}  // namespace tagsmit
