#include "run/settings_load_save.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace tagsmit {
namespace {

// Numbers of the settings in 64 bits whatever the platform's long, so that a
// text reads the same everywhere; anything beyond the cap is simply too large.
using Number = std::int64_t;
constexpr Number kNumberCap = 1'000'000'000'000;

// Versions whose settings are still understood.
constexpr Number kOldestAcceptedVersion = 113;
constexpr const char* kResetFailed = "設定を初期化できませんでした。";

Number AppendDigit(Number value, char digit) {
  return std::min(value * 10 + (digit - '0'), kNumberCap);
}

// The leading decimal number of a text, blanks skipped; 0 when there is none.
Number NumericValue(std::string_view text) {
  std::size_t at = 0;
  while (at < text.size() && text[at] == ' ') ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '-' || text[at] == '+')) negative = text[at++] == '-';
  Number value = 0;
  for (; at < text.size(); ++at) {
    const char c = text[at];
    if (c == ' ') continue;
    if (c < '0' || c > '9') break;
    value = AppendDigit(value, c);
  }
  return negative ? -value : value;
}

// A whole decimal number with optional surrounding blanks, or nothing.
std::optional<Number> WholeNumber(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  bool negative = false;
  if (text.front() == '-' || text.front() == '+') {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  Number value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = AppendDigit(value, c);
  }
  return negative ? -value : value;
}

// A hand-edited switch that is not a number from 0 to 255 counts as off.
std::uint8_t SwitchValue(std::string_view text) {
  const auto value = WholeNumber(text);
  return value && *value >= 0 && *value <= 255 ? static_cast<std::uint8_t>(*value) : 0;
}

const std::string& ValueAt(const std::vector<SettingsEntry>& entries, std::size_t position) {
  static const std::string kMissing;
  return position < entries.size() ? entries[position].second : kMissing;
}

// The list text: every entry followed by a line feed, bottom entry first, as
// FillClipStrList takes it back.
std::string ListText(const AppState& app) {
  std::string list_text;
  const auto& entries = app.clip_strs.Entries();
  for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry) {
    list_text += *entry;
    list_text += '\n';
  }
  return list_text;
}

// A hand-edited index outside the list falls back to the top entry; -1 is the
// stored form of "nothing selected".
void SelectStored(AppState& app, const std::string& text) {
  const auto index = WholeNumber(text);
  const bool valid = index && *index >= -1 && *index < app.clip_strs.Count();
  app.clip_strs.Select(valid ? static_cast<int>(*index) : 0);
}

// The text a value is saved as.
std::string SavedText(const AppState& app, const StoredValue& value) {
  switch (value.kind) {
    case StoredKind::kList:
      return ListText(app);
    case StoredKind::kIndex:
      return std::to_string(app.clip_strs.SelectedIndex());
    case StoredKind::kSwitch:
      return std::to_string(app.options.*value.switch_field);
    case StoredKind::kVersion:
    case StoredKind::kPath:
      break;
  }
  return app.options.*value.text_field;
}

// Takes a stored text back; the version only decides whether to load.
void Load(AppState& app, Desktop& desktop, const StoredValue& value, const std::string& text) {
  switch (value.kind) {
    case StoredKind::kVersion:
      return;
    case StoredKind::kList:
      FillClipStrList(app, desktop, text);
      return;
    case StoredKind::kIndex:
      SelectStored(app, text);
      return;
    case StoredKind::kSwitch:
      app.options.*value.switch_field = SwitchValue(text);
      return;
    case StoredKind::kPath:
      app.options.*value.text_field = text;
      return;
  }
}

const char* VersionKey(SettingsSchema schema) {
  for (const StoredValue& value : schema) {
    if (value.kind == StoredKind::kVersion) return value.key;
  }
  return "";
}

}  // namespace

void SetDefaults(Options& options, const ProgramIdentity& identity) {
  options.VerStr = std::to_string(identity.major) + std::to_string(identity.minor) +
                   std::to_string(identity.revision);
  options.DefClipStr =
      " WIDTH=&w HEIGHT=&h\n"
      "&f\" WIDTH=&w HEIGHT=&h>\n"
      "<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">\n";
}

void FillClipStrList(AppState& app, Desktop& desktop, const std::string& list_text) {
  // Each entry goes to the top of the list, so the list shows the text's
  // entries in reverse; collected first, then reversed once.
  std::vector<std::string> entries;
  std::size_t start = 0;
  for (std::size_t feed = list_text.find('\n'); feed != std::string::npos;
       feed = list_text.find('\n', start)) {
    entries.push_back(list_text.substr(start, feed - start));
    start = feed + 1;
  }
  std::reverse(entries.begin(), entries.end());
  app.clip_strs.Assign(std::move(entries));
  if (app.clip_strs.Count() > 0) {
    app.clip_strs.Select(0);
    return;
  }
  desktop.MsgBox("貼り付け文字列を設定してください", BoxIcon::Exclamation, BoxButtons::Ok,
                 desktop.Identity().title);
}

void LoadSettings(AppState& app, Services& services, SettingsSchema schema) {
  Options& options = app.options;
  const auto entries = services.store.GetAll(kReadAppName, kSection);
  const Number version = NumericValue(ValueOf(entries, VersionKey(schema)));

  if (version >= kOldestAcceptedVersion && version <= NumericValue(options.VerStr)) {
    // By position, not by key, so the list is filled before the stored
    // index selects in it.
    for (std::size_t position = 0; position < schema.size(); ++position) {
      Load(app, services.desktop, schema[position], ValueAt(entries, position));
    }
    return;
  }

  if (!entries.empty()) {
    // Settings of a version we cannot read are dropped. Should the delete
    // fail, the next start tries again; each start says why, without a box,
    // since the defaults report no errors in boxes (NotyfyErr 0).
    if (Status deleted = services.store.DeleteSection(kReadAppName, kSection); !deleted.ok()) {
      services.desktop.Warn(std::string(kResetFailed) + "\n" + deleted.error());
    }
  }
  services.desktop.Beep();
  FillClipStrList(app, services.desktop, options.DefClipStr);
  // A switch added later never changes what the program does until the
  // user turns it on.
  for (const StoredValue& value : schema) {
    if (value.kind == StoredKind::kSwitch) options.*value.switch_field = 0;
  }
  options.BasePath = services.fs.CurrentDirectory();
  options.FixedPath = "./";
}

Status SaveSettings(const AppState& app, SettingsStore& store, SettingsSchema schema) {
  std::vector<SettingsEntry> values;
  for (const StoredValue& value : schema) values.emplace_back(value.key, SavedText(app, value));
  return store.Save(kWriteAppName, kSection, values);
}

}  // namespace tagsmit
