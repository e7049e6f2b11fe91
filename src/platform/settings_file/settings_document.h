#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/result.h"
#include "platform/settings_store.h"

namespace tagsmit {

// The content of one application's settings file: an object that maps each
// section name to an object of key -> text. Section and key names compare
// without regard to case; the first member whose name matches decides, and a
// later member of the same folded name is never seen.
//
// A file edited by hand is read as far as it makes sense: a section that is
// not an object holds no entries, and a value that is not a string reads as
// text but keeps its place (the settings are read by position). Both are left
// as they are until a save writes over them.
//
// Only the two levels the settings use are held as such; any value below them
// is kept as its compact JSON text. So no depth of nesting costs recursion or
// a copy of a tree, and no length costs more than its reading.
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
  // A value: text, or another JSON value as its compact JSON text.
  struct Value {
    enum class Kind { kText, kNumberOrBoolean, kOther };
    Kind kind = Kind::kText;
    std::string text;  // the text itself, or the value's JSON text

    // As the settings read it: text as it is, numbers and true/false as their
    // JSON text, null, arrays and objects as empty text.
    std::string Read() const;
    std::string JsonText() const;
  };
  struct Entry {
    std::string name;
    Value value;
  };
  struct Section {
    std::string name;
    bool is_object = true;
    std::vector<Entry> entries;  // when an object
    Value value;                 // otherwise
  };
  class Reader;

  std::vector<Section> sections_;  // in file order
};

}  // namespace tagsmit
