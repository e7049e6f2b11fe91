#!/usr/bin/env bash
# End-to-end tests of the settings window: the installed program under an Xvfb
# of its own, driven with xdotool. Usage: settings_window.sh CASE
# TAGSMIT: the installed program; SAMPLES: the folder with logo.gif.
set -uo pipefail

: "${TAGSMIT:?path of the installed tagsmit}" "${SAMPLES:?folder of the sample images}"
SETTINGS_TITLE='Tagsmit 設定'

work=$(mktemp -d)
xvfb_pid=""
run_pid=""
cleanup() {
  xdotool keyup shift 2>/dev/null
  [ -n "$run_pid" ] && kill "$run_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/err" ] && sed 's/^/  tagsmit stderr: /' "$work/err" >&2
  exit 1
}
expect_eq() {  # what, expected, actual
  [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"
}

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" HOME="$work"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export LANG=C.UTF-8
settings="$XDG_CONFIG_HOME/tagsmit/settings.json"
cd "$work" || fail "no work folder"

Xvfb -displayfd 3 -nolisten tcp -screen 0 800x600x24 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 200); do
  [ -s "$work/display" ] && break
  sleep 0.025
done
[ -s "$work/display" ] || fail "Xvfb did not start"
export DISPLAY=":$(cat "$work/display")"

start_tagsmit() {
  "$TAGSMIT" "$@" >"$work/out" 2>"$work/err" &
  run_pid=$!
}
# Waits for tagsmit to end and checks its exit status.
expect_end() {
  for _ in $(seq 400); do
    if ! kill -0 "$run_pid" 2>/dev/null; then
      wait "$run_pid"
      expect_eq "exit status" "$1" "$?"
      run_pid=""
      return
    fi
    sleep 0.025
  done
  fail "tagsmit did not end"
}
# Prints the id of the visible window of exactly that name once it is shown.
wait_window() {
  local id
  for _ in $(seq 400); do
    kill -0 "$run_pid" 2>/dev/null || fail "tagsmit ended without showing \"$1\""
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.025
  done
  fail "no window \"$1\""
}
press() {  # window, key
  xdotool windowfocus --sync "$1" 2>/dev/null
  xdotool key --clearmodifiers "$2"
}
clipboard() { xclip -o -selection clipboard 2>/dev/null; }

case "${1:-}" in
  open-and-cancel)
    # No argument opens the window; Esc ends without writing anything.
    start_tagsmit
    window=$(wait_window "$SETTINGS_TITLE")
    press "$window" Escape
    expect_end 0
    [ -e "$settings" ] && fail "Esc wrote $settings"
    ;;
  shift)
    # With Shift held, a named file opens the window instead of the run.
    printf 'sentinel' | xclip -i -selection clipboard 2>/dev/null
    for _ in $(seq 200); do [ "$(clipboard)" == sentinel ] && break; sleep 0.025; done
    cp "$SAMPLES/logo.gif" "$work/Logo.gif"
    xdotool keydown shift
    start_tagsmit "$work/Logo.gif"
    window=$(wait_window "$SETTINGS_TITLE")
    xdotool keyup shift
    press "$window" Escape
    expect_end 0
    expect_eq clipboard sentinel "$(clipboard)"
    [ -e "$settings" ] && fail "Esc wrote $settings"
    ;;
  save)
    # Enter presses OK; Enter again answers Yes to the confirmation.
    start_tagsmit
    window=$(wait_window "$SETTINGS_TITLE")
    press "$window" Return
    box=$(wait_window Tagsmit)
    press "$box" Return
    expect_end 0
    [ -s "$settings" ] || fail "no $settings"
    keys=$(grep -o '"[A-Za-z]*": *"' "$settings" | sed 's/"\([A-Za-z]*\)".*/\1/' | paste -sd ' ')
    expect_eq keys 'version ClipStr ClipStrNo NotyfyErr Test LowerCase RelativePath FixedPath BasePath' \
      "$keys"
    grep -q '"FixedPath": *"\./"' "$settings" || fail "FixedPath is not ./: $(cat "$settings")"
    grep -q "\"BasePath\": *\"$work\"" "$settings" || fail "BasePath is not $work"
    ;;
  *)
    fail "unknown case: ${1:-}"
    ;;
esac
echo "PASS: $1"
