#include "run/settings.h"

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
constexpr const char* kVersionKey = "version";

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
void SelectStored(AppState& app, Desktop&, const std::string& text) {
  const auto index = WholeNumber(text);
  const bool valid = index && *index >= -1 && *index < app.clip_strs.Count();
  app.clip_strs.Select(valid ? static_cast<int>(*index) : 0);
}

template <std::uint8_t Options::*field>
std::string SwitchText(const AppState& app) {
  return std::to_string(app.options.*field);
}
template <std::uint8_t Options::*field>
void LoadSwitch(AppState& app, Desktop&, const std::string& text) {
  app.options.*field = SwitchValue(text);
}
template <std::string Options::*field>
std::string PathText(const AppState& app) {
  return app.options.*field;
}
template <std::string Options::*field>
void LoadPath(AppState& app, Desktop&, const std::string& text) {
  app.options.*field = text;
}

// One stored value: its key, its text for saving, and how loading takes it
// back (none for the version, which only decides whether to load).
struct StoredField {
  const char* key;
  std::string (*text)(const AppState&);
  void (*load)(AppState&, Desktop&, const std::string&);
  // A switch, which the defaults turn off: a switch added later never
  // changes what the program does until the user turns it on.
  std::uint8_t Options::*switch_field = nullptr;
};

template <std::uint8_t Options::*field>
constexpr StoredField Switch(const char* key) {
  return {key, SwitchText<field>, LoadSwitch<field>, field};
}

// The section's values in the order they are written. Loading reads them
// back by this position, not by key, so the list is filled before the stored
// index selects in it.
constexpr StoredField kStoredFields[] = {
    {kVersionKey, [](const AppState& app) { return app.options.VerStr; }, nullptr},
    {"ClipStr", ListText, FillClipStrList},
    {"ClipStrNo", [](const AppState& app) { return std::to_string(app.clip_strs.SelectedIndex()); },
     SelectStored},
    Switch<&Options::NotyfyErr>("NotyfyErr"),
    Switch<&Options::Test>("Test"),
    Switch<&Options::LowerCase>("LowerCase"),
    Switch<&Options::RelativePath>("RelativePath"),
    {"FixedPath", PathText<&Options::FixedPath>, LoadPath<&Options::FixedPath>},
    {"BasePath", PathText<&Options::BasePath>, LoadPath<&Options::BasePath>},
    // Added after release 1.1.5: older files end before them and leave them off.
    Switch<&Options::MoreFormats>("MoreFormats"),
    Switch<&Options::DisplaySize>("DisplaySize"),
};

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
  app.options.CmdLine.clear();
}

void LoadSettings(AppState& app, Services& services) {
  Options& options = app.options;
  const auto entries = services.store.GetAll(kReadAppName, kSection);
  const Number version = NumericValue(ValueOf(entries, kVersionKey));

  if (version >= kOldestAcceptedVersion && version <= NumericValue(options.VerStr)) {
    for (std::size_t position = 0; position < std::size(kStoredFields); ++position) {
      const StoredField& field = kStoredFields[position];
      if (field.load != nullptr) field.load(app, services.desktop, ValueAt(entries, position));
    }
    return;
  }

  if (!entries.empty()) {
    // Settings of a version we cannot read are dropped; should the delete
    // fail, the next start simply drops them again.
    (void)services.store.DeleteSection(kReadAppName, kSection);
  }
  services.desktop.Beep();
  FillClipStrList(app, services.desktop, options.DefClipStr);
  for (const StoredField& field : kStoredFields) {
    if (field.switch_field != nullptr) options.*field.switch_field = 0;
  }
  options.BasePath = services.fs.CurrentDirectory();
  options.FixedPath = "./";
}

Status SaveSettings(const AppState& app, SettingsStore& store) {
  std::vector<SettingsEntry> values;
  for (const StoredField& field : kStoredFields) values.emplace_back(field.key, field.text(app));
  return store.Save(kWriteAppName, kSection, values);
}

}  // namespace tagsmit
