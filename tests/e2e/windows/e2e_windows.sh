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

case "${1:-}" in
  prefix)
    prepare_prefix
    ;;
  clipboard)
    # The witness itself: a new server starts with nothing on the clipboard,
    # and one program reads what another has set.
    start_session
    clipboard_tool get >/dev/null 2>&1
    expect_eq "status of get on an empty clipboard" 1 $?
    text='設定 ｸﾘｯﾌﾟﾎﾞｰﾄﾞ <IMG SRC="a b.gif"> äö'
    clipboard_tool set "$text" || fail "set"
    expect_eq clipboard "$text" "$(clipboard)"
    ;;
  fixed)
    start_session
    write_settings
    run_tagsmit "$site\\img\\Logo.gif"
    expect_eq status 0 "$run_status"
    # The process has ended; the text stays with the server.
    expect_eq clipboard "$(tag ./Logo.gif 120 60)" "$(clipboard)"
    # The name as the folder stores it, not as typed.
    run_tagsmit "$site\\IMG\\LOGO.GIF"
    expect_eq "clipboard for LOGO.GIF" "$(tag ./Logo.gif 120 60)" "$(clipboard)"
    # A quoted name with a blank, taken from the current folder.
    write_settings 'FixedPath=images/' 'ClipStr=&f|&w|&h\n'
    (cd "$work/site/img" && run_tagsmit "a photo.jpg") || exit 1
    expect_eq clipboard 'images/a photo.jpg|64|48' "$(clipboard)"
    ;;
  relative)
    start_session
    write_settings RelativePath=255 "BasePath=$json_site\\\\doc"
    run_tagsmit "$site\\img\\a photo.jpg"
    expect_eq status 0 "$run_status"
    expect_eq clipboard "$(tag "../img/a photo.jpg" 64 48)" "$(clipboard)"
    # A file on another drive than the base folder gets its drive in the path.
    write_settings RelativePath=255 'BasePath=C:\\Web'
    run_tagsmit "$site\\img\\Logo.gif"
    expect_eq clipboard "$(tag "/Z|$work/site/img/Logo.gif" 120 60)" "$(clipboard)"
    ;;
  lowercase)
    start_session
    write_settings LowerCase=1 FixedPath=IMG/
    run_tagsmit "$site\\img\\ÄÖ Ünï.GIF"
    expect_eq status 0 "$run_status"
    expect_eq clipboard "$(tag "img/äö ünï.gif" 120 60)" "$(clipboard)"
    write_settings LowerCase=1 RelativePath=255 "BasePath=$json_site\\\\doc"
    run_tagsmit "$site\\img\\ÄÖ Ünï.GIF"
    expect_eq clipboard "$(tag "../img/äö ünï.gif" 120 60)" "$(clipboard)"
    ;;
  failures)
    start_session
    write_settings
    set_sentinel
    for name in missing.gif photo.png bad.gif folder.gif; do
      run_tagsmit "$site\\img\\$name"
      expect_eq "status for $name" 1 "$run_status"
      expect_eq "clipboard after $name" sentinel "$(clipboard)"
    done
    # NotyfyErr 0 shows nothing: the runs above ended without any window.
    expect_eq windows "" "$(xdotool search --name Tagsmit 2>/dev/null)"
    ;;
  notify)
    start_session
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
    start_session
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
    start_session
    write_settings NotyfyErr=1
    cp "$settings_folder/settings.json" "$work/before.json"
    start_tagsmit
    window=$(wait_window 'Tagsmit 設定') || fail "no settings window"
    press "$window" Escape
    wait_tagsmit
    expect_eq status 0 "$run_status"
    cmp -s "$work/before.json" "$settings_folder/settings.json" || fail "Esc changed the settings"
    ;;
  *)
    fail "unknown case: ${1:-}"
    ;;
esac
echo "PASS: $1"
