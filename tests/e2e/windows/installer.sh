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

installed_files() { (cd "${1:-$program_folder}" 2>/dev/null && ls | tr '\n' ' '); }

# install [FOLDER]: into the default folder, or into FOLDER (a Linux path).
install() {
  local folder=${1:-$program_folder}
  timeout 60 "$WINE_RUN" "$WINEPREFIX" "$INSTALLER" /S ${1:+"/D=$(windows_path "$1")"} ||
    fail "the installer failed"
  expect_eq "installed files" "LICENSE.txt Tagsmit.exe Uninstall.exe readme.txt " \
    "$(installed_files "$folder")"
}

# The folder that the Apps & features entry and the Send To shortcut name.
expect_owner() {  # what, folder (a Linux path)
  local location
  location=$("$WINE_RUN" "$WINEPREFIX" reg query "$uninstall_key" /v InstallLocation | tr -d '\r')
  [[ "$location" == *"REG_SZ    $(windows_path "$2")" ]] ||
    fail "$1: the entry names another folder: $location"
  expect_eq "$1: target of Send To" "$(windows_path "$2")\\Tagsmit.exe" \
    "$(start_tool shortcut "$(windows_path "$send_to")" "$site\\img\\a photo.jpg")"
  expect_eq "$1: clipboard sent to" "$(tag "./a photo.jpg" 64 48)" "$(clipboard)"
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
    # Several files sent at once, with 複数のファイルを読む on: a line each.
    write_settings MoreFormats=0 DisplaySize=0 DensitySize=0 SrcSet=0 SeveralFiles=1
    start_tool shortcut "$(windows_path "$send_to")" "$site\\img\\Logo.gif" \
      "$site\\img\\a photo.jpg" >/dev/null
    expect_eq "status of several sent to" 0 $?
    expect_eq "clipboard of several sent to" \
      "$(tag "./a photo.jpg" 64 48)"$'\r\n'"$(tag ./Logo.gif 120 60)" "$(clipboard)"

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
  move)
    # A second install into another folder takes the first one's place: no
    # copy stays behind.
    install
    write_settings
    install "$work/B"
    [ -e "$program_folder" ] && fail "the earlier folder stays: $(installed_files)"
    expect_owner "moved" "$work/B"
    # Back into the folder of the entry: written over, nothing removed.
    install "$work/B"
    expect_owner "again" "$work/B"
    program_folder=$work/B uninstall
    ;;
  stale-uninstaller)
    # A copy left by an earlier release elsewhere: its uninstaller removes its
    # own folder, and leaves the entry and shortcuts of the install that
    # followed.
    install
    write_settings
    cp -r "$program_folder" "$work/Old"
    install "$work/B"
    timeout 60 "$WINE_RUN" "$WINEPREFIX" "$work/Old/Uninstall.exe" /S ||
      fail "the stale uninstaller failed"
    eventually test ! -e "$work/Old" || fail "the stale folder stays: $(installed_files "$work/Old")"
    expect_owner "after the stale uninstaller" "$work/B"
    [ -e "$start_menu" ] || fail "the Start menu shortcut went"
    program_folder=$work/B uninstall
    ;;
  *)
    fail "unknown case: ${1:-}"
    ;;
esac
echo "PASS: $1"
