#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "platform/result.h"
#include "platform/settings_store.h"

namespace tagsmit {

// Lower-cases ASCII letters only; other bytes are kept, so names that differ
// outside ASCII stay different.
std::string FoldName(std::string_view name);

// The content of one application's settings file: an object that maps each
// section name to an object of key -> text. Section and key names compare
// without regard to case; the first member whose name matches decides, and a
// later member of the same folded name is never seen.
//
// A file edited by hand is read as far as it makes sense: a section that is
// not an object holds no entries, and a value that is not a string reads as
// text but keeps its place (the settings are read by position). Both are left
// as they are until a save writes over them.
class SettingsDocument {
 public:
  SettingsDocument();

  // Empty when the text is not JSON or its top level is not an object.
  static std::optional<SettingsDocument> Parse(std::string_view text);

  // The section's values as text, in file order; empty when there is no
  // section. Numbers and true/false read as their JSON text, null, arrays and
  // objects as empty text.
  std::vector<SettingsEntry> Entries(std::string_view section) const;

  // Stores every entry in the section, creating it as needed. A key that
  // exists keeps its spelling and place; a new key goes to the end. Fails,
  // changing nothing, when a name or value is not UTF-8 text.
  Status Set(std::string_view section, const std::vector<SettingsEntry>& entries);

  // Removes every section of that name; false when there was none.
  bool Delete(std::string_view section);

  // The file text, UTF-8 kept as is, ending with a line feed: sections and
  // keys indented one to a line, values compact, so that the text is at most
  // a small multiple of the document's own size.
  std::string Dump() const;

 private:
  explicit SettingsDocument(nlohmann::ordered_json root) : root_(std::move(root)) {}

  nlohmann::ordered_json root_;
};

}  // namespace tagsmit
