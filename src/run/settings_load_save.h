#pragma once

#include <string>

#include "base/result.h"
#include "run/app.h"
#include "run/stored_values.h"

namespace tagsmit {

inline constexpr const char* kReadAppName = "Tagsmit";
inline constexpr const char* kWriteAppName = "tagsmit";
inline constexpr const char* kSection = "init";

// Sets VerStr and DefClipStr, nothing else.
void SetDefaults(Options& options, const ProgramIdentity& identity);

// Fills the options and the list from the store, or puts the defaults in place
// (with a beep) when no accepted settings are stored.
void LoadSettings(AppState& app, Services& services, SettingsSchema schema = StoredValues());

// Writes every stored value in one step. A failure leaves the store as it was.
Status SaveSettings(const AppState& app, SettingsStore& store,
                    SettingsSchema schema = StoredValues());

// Replaces the list with the entries of a list text and selects the top one;
// an empty list is reported (start-up then opens the settings window).
void FillClipStrList(AppState& app, Desktop& desktop, const std::string& list_text);

}  // namespace tagsmit
