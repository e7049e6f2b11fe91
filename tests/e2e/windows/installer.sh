#!/usr/bin/env bash
# The installer under Wine, as a user meets it: a silent install, its files,
# shortcuts and Apps & features entry, the shortcuts at work, and a silent
# uninstall that keeps the settings unless asked. Usage: installer.sh CASE;
# INSTALLER (the setup program), SAMPLES, and the environment as for
# wine_lib.sh, in the prefix that e2e_windows.sh prefix makes.
set -uo pipefail

: "${INSTALLER:?path of Tagsmit-<version>-setup.exe}"
: "${SAMPLES:?folder of the sample images}"

. "$(dirname "$0")/wine_lib.sh"

user=$(id -un)
appdata="$WINEPREFIX/drive_c/users/$user/AppData"
program_folder="$appdata/Local/Programs/Tagsmit"
program="C:\\users\\$user\\AppData\\Local\\Programs\\Tagsmit\\Tagsmit.exe"
start_menu="$appdata/Roaming/Microsoft/Windows/Start Menu/Programs/Tagsmit.lnk"
send_to="$appdata/Roaming/Microsoft/Windows/SendTo/Tagsmit.lnk"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tagsmit'

installed_files() { (cd "$program_folder" 2>/dev/null && ls | tr '\n' ' '); }

install() {
  timeout 60 "$WINE_RUN" "$WINEPREFIX" "$INSTALLER" /S || fail "the installer failed"
  expect_eq "installed files" "LICENSE.txt Tagsmit.exe Uninstall.exe readme.txt " "$(installed_files)"
}

# The uninstaller hands over to a copy of itself and returns at once; the
# program folder goes last but for the settings.
uninstall() {
  timeout 60 "$WINE_RUN" "$WINEPREFIX" "$program_folder/Uninstall.exe" /S "$@" ||
    fail "the uninstaller failed"
  eventually test ! -e "$program_folder" || fail "the program folder stays: $(installed_files)"
  [ -e "$start_menu" ] && fail "the Start menu shortcut stays"
  [ -e "$send_to" ] && fail "the Send To shortcut stays"
  "$WINE_RUN" "$WINEPREFIX" reg query "$uninstall_key" >/dev/null 2>&1 &&
    fail "the Apps & features entry stays"
}

make_site
site=$(windows_path "$work/site")
start_session
case "${1:-}" in
  keep-settings)
    install
    entry=$("$WINE_RUN" "$WINEPREFIX" reg query "$uninstall_key" | tr -d '\r')
    for value in 'DisplayName    REG_SZ    Tagsmit' "DisplayVersion    REG_SZ    $VERSION" \
      "UninstallString    REG_SZ    \"${program%\\*}\\Uninstall.exe\"" \
      "QuietUninstallString    REG_SZ    \"${program%\\*}\\Uninstall.exe\" /S"; do
      grep -qF "    $value" <<<"$entry" || fail "Apps & features entry without [$value]: $entry"
    done

    # Sent to Tagsmit from Explorer: the tag arrives.
    write_settings
    set_sentinel
    start_tool shortcut "$(windows_path "$send_to")" "$site\\img\\a photo.jpg" >"$work/target"
    expect_eq "status sent to" 0 $?
    expect_eq "target of Send To" "$program" "$(cat "$work/target")"
    expect_eq "clipboard sent to" "$(tag "./a photo.jpg" 64 48)" "$(clipboard)"

    # The Start menu entry opens the settings window.
    start_tool shortcut "$(windows_path "$start_menu")" >"$work/target" &
    run_pid=$!
    window=$(wait_window 'Tagsmit 設定') || fail "no settings window from the Start menu"
    press "$window" Escape
    wait_tagsmit
    expect_eq "target of the Start menu entry" "$program" "$(cat "$work/target")"

    cp "$settings_folder/settings.json" "$work/before.json"
    uninstall
    cmp -s "$work/before.json" "$settings_folder/settings.json" || fail "the settings went"
    ;;
  remove-settings)
    install
    write_settings
    uninstall /REMOVESETTINGS
    eventually test ! -e "$settings_folder" || fail "the settings stay: $(ls "$settings_folder")"
    ;;
  *)
    fail "unknown case: ${1:-}"
    ;;
esac
echo "PASS: $1"
