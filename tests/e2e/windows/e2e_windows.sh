#!/usr/bin/env bash
# End-to-end tests of Tagsmit.exe under Wine, each case on an Xvfb and a Wine
# server of its own, in the prefix that the case "prefix" makes. Usage:
# e2e_windows.sh CASE; the environment as for wine_lib.sh, and SAMPLES.
set -uo pipefail

: "${SAMPLES:?folder of the sample images}"
TEST_TITLE='Tagsmit  ｸﾘｯﾌﾟﾎﾞｰﾄﾞ内容'

. "$(dirname "$0")/wine_lib.sh"

make_site
site=$(windows_path "$work/site")
json_site=${site//\\/\\\\}  # as write_settings wants it

[ "${1:-}" == prefix ] || start_session
case "${1:-}" in
  prefix)
    prepare_prefix
    ;;
  clipboard)
    # The witness itself: a new server starts with nothing on the clipboard,
    # and one program reads what another has set.
    clipboard_tool get >/dev/null 2>&1
    expect_eq "status of get on an empty clipboard" 1 $?
    text='設定 ｸﾘｯﾌﾟﾎﾞｰﾄﾞ <IMG SRC="a b.gif"> äö'
    clipboard_tool set "$text" || fail "set"
    expect_eq clipboard "$text" "$(clipboard)"
    ;;
  fixed)
    # The process has ended; the text stays with the server. The name is the
    # one the folder stores, not as typed.
    expect_run "$site\\img\\Logo.gif" "$(tag ./Logo.gif 120 60)"
    expect_run "$site\\IMG\\LOGO.GIF" "$(tag ./Logo.gif 120 60)"
    # A quoted name with a blank, taken from the current folder.
    (cd "$work/site/img" && expect_run "a photo.jpg" 'images/a photo.jpg|64|48' \
      FixedPath=images/ 'ClipStr=&f|&w|&h\n') || exit 1
    expect_run "$site\\img\\ÄÖ Ünï.GIF" "$(tag "img/äö ünï.gif" 120 60)" LowerCase=1 FixedPath=IMG/
    # Wine marks names that begin with a dot hidden: named like any other file.
    cp "$SAMPLES/logo.gif" "$work/site/img/.hidden.gif"
    expect_run "$site\\img\\.hidden.gif" "$(tag ./.hidden.gif 120 60)"
    ;;
  relative)
    expect_run "$site\\img\\a photo.jpg" "$(tag "../img/a photo.jpg" 64 48)" \
      RelativePath=255 "BasePath=$json_site\\\\doc"
    expect_run "$site\\img\\ÄÖ Ünï.GIF" "$(tag "../img/äö ünï.gif" 120 60)" \
      LowerCase=1 RelativePath=255 "BasePath=$json_site\\\\doc"
    # A file on another drive than the base folder gets its drive in the path.
    expect_run "$site\\img\\Logo.gif" "$(tag "/Z|$work/site/img/Logo.gif" 120 60)" \
      RelativePath=255 'BasePath=C:\\Web'
    ;;
  formats)
    expect_formats "$site\\img\\"
    ;;
  densities)
    expect_densities "$site\\img\\"
    ;;
  notify)
    write_settings NotyfyErr=1
    set_sentinel
    start_tagsmit "$site\\img\\missing.gif"
    window=$(wait_window Tagsmit) || fail "no window titled Tagsmit"
    kill -0 "$run_pid" 2>/dev/null || fail "Tagsmit.exe ended while its box was shown"
    press "$window" Return
    wait_tagsmit
    expect_eq status 1 "$run_status"
    expect_eq clipboard sentinel "$(clipboard)"
    ;;
  test-display)
    write_settings Test=1
    start_tagsmit "$site\\img\\Logo.gif"
    window=$(wait_window "$TEST_TITLE") || fail "no test display"
    kill -0 "$run_pid" 2>/dev/null || fail "Tagsmit.exe ended before the test display closed"
    expect_eq clipboard "$(tag ./Logo.gif 120 60)" "$(clipboard)"
    press "$window" Return
    wait_tagsmit
    expect_eq status 0 "$run_status"
    ;;
  settings)
    # No argument opens the settings window; Esc ends without saving.
    write_settings NotyfyErr=1
    cp "$settings_folder/settings.json" "$work/before.json"
    start_tagsmit
    window=$(wait_window 'Tagsmit 設定') || fail "no settings window"
    press "$window" Escape
    wait_tagsmit
    expect_eq status 0 "$run_status"
    cmp -s "$work/before.json" "$settings_folder/settings.json" || fail "Esc changed the settings"
    ;;
  libraries)
    # A run that shows no window loads neither the window libraries nor the
    # shell, which take most of a run's time; the settings window loads the
    # common controls, version 6 as the manifest asks. (Wine's user32 loads
    # uxtheme into every program that uses it, the smallest clipboard setter
    # too: that one is Wine's, not the program's.)
    loads() {  # Tagsmit.exe's, not those of Wine's own processes (wineboot, services)
      local process
      process=$(grep -a -m1 -i 'loaddll:.*\\tagsmit\.exe"' "$work/err" | cut -d: -f1)
      [ -n "$process" ] || fail "no trace of Tagsmit.exe's loads"
      grep -a "^$process:trace:loaddll" "$work/err" | sed 's/.*Loaded L"//; s/" at .*//' | tr 'A-Z' 'a-z'
    }
    write_settings NotyfyErr=1
    export WINEDEBUG=+loaddll
    start_tagsmit "$site\\img\\Logo.gif"
    wait_tagsmit
    expect_eq status 0 "$run_status"
    expect_eq clipboard "$(tag ./Logo.gif 120 60)" "$(clipboard)"
    expect_eq "window libraries and shell of a run" "" \
      "$(loads | grep -oE '(comctl32|shell32|shlwapi|ole32|combase|shcore)\.dll$' | tr '\n' ' ')"
    start_tagsmit
    window=$(wait_window 'Tagsmit 設定') || fail "no settings window"
    press "$window" Escape
    wait_tagsmit
    loads | grep -q 'common-controls_6595b64144ccf1df_6\..*\\comctl32\.dll$' ||
      fail "the settings window without the common controls 6: $(loads | tr '\n' ' ')"
    ;;
  print)
    # As editors and scripts take it: to a file or a pipe UTF-8 with Windows
    # line ends, failures on standard error, the Linux exit statuses.
    write_settings LowerCase=1
    "$TAGSMIT" --print "$site\\img\\ÄÖ Ünï.GIF" >"$work/out" 2>"$work/err"
    expect_eq status 0 $?
    expect_eq "to a file" "$(tag "./äö ünï.gif" 120 60)"$'\r' "$(cat "$work/out")"
    expect_eq "to a pipe" "$(tag ./logo.gif 120 60)"$'\r\n|0' \
      "$("$TAGSMIT" --print "$site\\img\\Logo.gif" 2>"$work/err" | cat; echo "|${PIPESTATUS[0]}")"
    "$TAGSMIT" --print "$site\\img\\missing.gif" >"$work/out" 2>"$work/err"
    expect_eq "status of a failure" 1 $?
    expect_eq "standard error" "ファイルが存在しません"$'\r\n'"$site\\img\\missing.gif"$'\r' \
      "$(cat "$work/err")"
    [ -s "$work/out" ] && fail "output from a failure: $(cat "$work/out")"
    "$TAGSMIT" --print "$site\\img\\Logo.gif" >/dev/full 2>/dev/null
    expect_eq "status on a full disk" 1 $?
    "$TAGSMIT" --print >/dev/null 2>"$work/err"
    expect_eq "status without FILE" 2 $?
    grep -q '^Tagsmit.exe: --print needs a FILE' "$work/err" || fail "no usage error"
    expect_eq version "Tagsmit $VERSION"$'\r' "$("$TAGSMIT" --version)"
    "$TAGSMIT" --help | grep -q '^Usage: Tagsmit.exe \[FILE\]' || fail "--help"
    # A batch file, as Vim runs filters through cmd.exe: it waits, and
    # ERRORLEVEL is the status.
    printf '@"%s" --print "%s" >"%s" 2>&1\r\n@exit %%ERRORLEVEL%%\r\n' "$(windows_path "$TAGSMIT_EXE")" \
      "$site\\img\\Logo.gif" "$(windows_path "$work/out")" >"$work/print.bat"
    "$WINE_RUN" "$WINEPREFIX" cmd /c "$(windows_path "$work/print.bat")"
    expect_eq "status through cmd" 0 $?
    expect_eq "output through cmd" "$(tag ./logo.gif 120 60)"$'\r' "$(cat "$work/out")"
    # Started from a console without redirection: written on that console,
    # Japanese and all.
    start_tool console "$(windows_path "$TAGSMIT_EXE")" --print "$site\\img\\ÄÖ Ünï.GIF" >"$work/out"
    expect_eq "status in a console" 0 $?
    expect_eq "on the console" "$(tag "./äö ünï.gif" 120 60)" "$(cat "$work/out")"
    start_tool console "$(windows_path "$TAGSMIT_EXE")" --print "$site\\img\\missing.gif" >"$work/out"
    expect_eq "status of a failure in a console" 1 $?
    expect_eq "failure on the console" "ファイルが存在しません"$'\n'"$site\\img\\missing.gif" \
      "$(cat "$work/out")"
    ;;
  *)
    fail "unknown case: ${1:-}"
    ;;
esac
echo "PASS: $1"
