#!/usr/bin/env bash
# End-to-end tests of the settings window: the installed program under an Xvfb
# of its own, driven with xdotool. Usage: settings_window.sh CASE
# TAGSMIT: the installed program; SAMPLES: the folder with logo.gif.
set -uo pipefail

: "${SAMPLES:?folder of the sample images}"
SETTINGS_TITLE='Tagsmit 設定'

. "$(dirname "$0")/lib.sh"

settings="$XDG_CONFIG_HOME/tagsmit/settings.json"
cd "$work" || fail "no work folder"
start_xvfb

# Waits for tagsmit to end and checks its exit status.
expect_end() {
  wait_tagsmit
  expect_eq "exit status" "$1" "$run_status"
}

case "${1:-}" in
  cancel)
    # No argument, or a named file with Shift held, opens the window instead of
    # the run; Esc ends without writing anything.
    set_sentinel
    cp "$SAMPLES/logo.gif" "$work/Logo.gif"
    for shift in up down; do
      xdotool "key$shift" shift
      if [ "$shift" == up ]; then start_tagsmit; else start_tagsmit "$work/Logo.gif"; fi
      window=$(wait_window "$SETTINGS_TITLE") || fail "no settings window, Shift $shift"
      xdotool keyup shift
      press "$window" Escape
      expect_end 0
    done
    expect_eq clipboard sentinel "$(clipboard)"
    [ -e "$settings" ] && fail "Esc wrote $settings"
    ;;
  save)
    # Enter presses OK; Enter again answers Yes to the confirmation.
    start_tagsmit
    window=$(wait_window "$SETTINGS_TITLE") || fail "no settings window"
    press "$window" Return
    box=$(wait_window Tagsmit) || fail "no confirmation box"
    press "$box" Return
    expect_end 0
    [ -s "$settings" ] || fail "no $settings"
    keys=$(grep -o '"[A-Za-z]*": *"' "$settings" | sed 's/"\([A-Za-z]*\)".*/\1/' | paste -sd ' ')
    expect_eq keys "$(stored_keys | paste -sd ' ')" "$keys"
    grep -q '"FixedPath": *"\./"' "$settings" || fail "FixedPath is not ./: $(cat "$settings")"
    grep -q "\"BasePath\": *\"$work\"" "$settings" || fail "BasePath is not $work"
    ;;
  *)
    fail "unknown case: ${1:-}"
    ;;
esac
echo "PASS: $1"
