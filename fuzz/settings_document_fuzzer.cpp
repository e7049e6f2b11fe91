// The settings file over arbitrary text. For a text that parses:
// - saving changes the saved section's values and nothing else: after the
//   dump is parsed again, every section reads as before, the saved keys with
//   their new values in their old places, new keys at the end;
// - the dump parses, dumps to itself, and stays within a small multiple of
//   the text and the saved values;
// - the settings loaded from the "init" section survive LoadSettings,
//   SaveSettings and LoadSettings again, through the store and through the
//   file text, wherever its keys stand where the program writes them (the
//   settings are read by position; a section whose keys were moved by hand
//   reads by position too, and a save writes each value under its name).
// Text after a NUL byte names one more save: section, then keys and values,
// separated by NULs.

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <nlohmann/json.hpp>

#include "base/ascii.h"
#include "fake_file_system.h"
#include "fuzz_check.h"
#include "memory_settings_store.h"
#include "platform/settings_file/settings_document.h"
#include "run/settings_load_save.h"
#include "scripted_desktop.h"

namespace tagsmit {
namespace {

using Entries = std::vector<SettingsEntry>;

struct SavedSection {
  std::string section;
  Entries entries;
};

std::vector<std::string> Split(std::string_view text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != std::string_view::npos;
       at = text.find(separator, start)) {
    parts.emplace_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.emplace_back(text.substr(start));
  return parts;
}

SavedSection SaveNamedIn(std::string_view tail) {
  const std::vector<std::string> parts = Split(tail, '\0');
  SavedSection save{parts[0], {}};
  for (std::size_t i = 1; i + 1 < parts.size(); i += 2) {
    save.entries.emplace_back(parts[i], parts[i + 1]);
  }
  return save;
}

// The sections as this harness sees the document: folded name -> entries.
using Model = std::map<std::string, Entries>;

// The section names come from a parse of its own: nlohmann::json, whose
// objects are trees, holds any nesting without copying it.
Model SectionsOf(std::string_view text, const SettingsDocument& document) {
  Model model;
  const auto root = nlohmann::json::parse(text, nullptr, false);
  for (auto it = root.begin(); it != root.end(); ++it) {
    model[AsciiLower(it.key())] = document.Entries(it.key());
  }
  return model;
}

// What a save must do to a section's entries.
void Apply(Entries& entries, const Entries& saved) {
  for (const auto& [key, value] : saved) {
    auto it = entries.begin();
    while (it != entries.end() && AsciiLower(it->first) != AsciiLower(key)) ++it;
    if (it == entries.end()) {
      entries.emplace_back(key, value);
    } else {
      it->second = value;
    }
  }
}

void CheckSameEntries(const Entries& got, const Entries& expected) {
  FUZZ_CHECK_EQ(got.size(), expected.size());
  for (std::size_t i = 0; i < got.size(); ++i) {
    FUZZ_CHECK_EQ(got[i].first, expected[i].first);
    FUZZ_CHECK_EQ(got[i].second, expected[i].second);
  }
}

// Bytes a saved text may take in the dump: every byte escaped, plus quotes,
// separators and indentation.
std::size_t DumpAllowance(const SavedSection& save) {
  std::size_t allowance = 6 * save.section.size() + 16;
  for (const auto& [key, value] : save.entries) allowance += 6 * (key.size() + value.size()) + 16;
  return allowance;
}

// The store of one start, which keeps what the program saved last.
struct RecordingStore : testing::MemorySettingsStore {
  Status Save(const std::string& app, const std::string& section, const Entries& entries) override {
    last_save = {section, entries};
    return MemorySettingsStore::Save(app, section, entries);
  }
  SavedSection last_save;
};

// One start of the program: load, and the state it ends with.
struct Loaded {
  explicit Loaded(const Entries& stored) {
    if (!stored.empty() && !store.MemorySettingsStore::Save(kWriteAppName, kSection, stored).ok()) {
      std::abort();
    }
    testing::FakeFileSystem fs(PathStyle::Posix);
    Services services{fs, desktop, store};
    SetDefaults(app.options, desktop.Identity());
    LoadSettings(app, services);
  }

  RecordingStore store;
  testing::ScriptedDesktop desktop;
  AppState app;
};

// Whether each key the section holds is the one the
// program writes there, so that a save puts every value back in its place.
bool KeysInTheirPlaces(const Entries& entries) {
  const SettingsSchema schema = StoredValues();
  for (std::size_t i = 0; i < entries.size() && i < schema.size(); ++i) {
    if (AsciiLower(entries[i].first) != AsciiLower(schema[i].key)) return false;
  }
  return true;
}

void CheckSameSettings(const Loaded& got, const Loaded& expected) {
  const Options& a = got.app.options;
  const Options& b = expected.app.options;
  FUZZ_CHECK_EQ(a.CurClipStr, b.CurClipStr);
  for (const StoredValue& value : StoredValues()) {
    if (value.switch_field != nullptr) FUZZ_CHECK_EQ(a.*value.switch_field, b.*value.switch_field);
    if (value.text_field != nullptr) FUZZ_CHECK_EQ(a.*value.text_field, b.*value.text_field);
  }
  FUZZ_CHECK_EQ(got.app.clip_strs.SelectedIndex(), expected.app.clip_strs.SelectedIndex());
  FUZZ_CHECK(got.app.clip_strs.Entries() == expected.app.clip_strs.Entries());
  FUZZ_CHECK_EQ(got.desktop.boxes.size(), expected.desktop.boxes.size());
  // Settings just saved are accepted: no reset, so no beep.
  FUZZ_CHECK_EQ(got.desktop.Count("beep"), 0);
}

}  // namespace
}  // namespace tagsmit

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tagsmit;
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string_view text = input.substr(0, input.find('\0'));

  std::optional<SettingsDocument> document = SettingsDocument::Parse(text);
  FUZZ_CHECK_EQ(document.has_value(), nlohmann::json::parse(text, nullptr, false).is_object());
  if (!document) return 0;

  Model expected = SectionsOf(text, *document);

  // The program's own save of the "init" section it loaded, then the other save.
  const Entries stored = document->Entries(kSection);
  Loaded first(stored);
  if (!SaveSettings(first.app, first.store).ok()) std::abort();
  // A reset deleted the section before the save made it afresh.
  if (first.desktop.Count("beep") > 0 && document->Delete(kSection))
    expected.erase(AsciiLower(kSection));
  std::vector<SavedSection> saves{first.store.last_save};
  if (text.size() < input.size()) saves.push_back(SaveNamedIn(input.substr(text.size() + 1)));

  std::size_t allowance = 0;
  for (const SavedSection& save : saves) {
    const std::string dump_before = document->Dump();
    if (!document->Set(save.section, save.entries).ok()) {
      FUZZ_CHECK(document->Dump() == dump_before);  // a refused save changes nothing
      continue;
    }
    Apply(expected[AsciiLower(save.section)], save.entries);
    allowance += DumpAllowance(save);
  }

  const std::string dump = document->Dump();
  FUZZ_CHECK(dump.size() <= 6 * text.size() + allowance + 64);
  const std::optional<SettingsDocument> reparsed = SettingsDocument::Parse(dump);
  FUZZ_CHECK(reparsed.has_value());
  FUZZ_CHECK(reparsed->Dump() == dump);
  const Model after = SectionsOf(dump, *reparsed);
  FUZZ_CHECK_EQ(after.size(), expected.size());
  for (const auto& [name, entries] : expected) {
    FUZZ_CHECK(after.contains(name));
    CheckSameEntries(after.at(name), entries);
  }

  // Loaded again from the store the save went to, and from the file text
  // unless the other save changed the section. A reset starts the section
  // afresh, in the program's order.
  if (!KeysInTheirPlaces(stored) && first.desktop.Count("beep") == 0) return 0;
  Loaded again_from_store(first.store.GetAll(kReadAppName, kSection));
  CheckSameSettings(again_from_store, first);
  if (saves.size() == 1 || AsciiLower(saves.back().section) != kSection) {
    Loaded again_from_file(reparsed->Entries(kSection));
    CheckSameSettings(again_from_file, first);
  }
  return 0;
}
