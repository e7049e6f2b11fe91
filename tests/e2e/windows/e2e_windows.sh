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
  *)
    fail "unknown case: ${1:-}"
    ;;
esac
echo "PASS: $1"
