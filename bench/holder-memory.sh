#!/usr/bin/env bash
# Peak resident memory of the clipboard holder that a run leaves on X11, for
# a paste text of SIZE bytes (a paste string of SIZE - 8 'x' and "&f" on
# Logo.gif, under an Xvfb of our own): the holder's VmHWM once the run has
# returned, after a UTF-8 read and after a STRING (Latin-1) read, beside the
# peak of a holder of a short text.
#
# Usage: bench/holder-memory.sh [TAGSMIT] [SIZE]
#   TAGSMIT  the program, default build/app/bin/tagsmit
#   SIZE     bytes of the paste text, default 16777225 (16 MiB and a little)
set -euo pipefail
cd "$(dirname "$0")/.."
tagsmit=$(realpath "${1:-build/app/bin/tagsmit}")
size=${2:-16777225}

work=$(mktemp -d)
xvfb_pid=""
holders=()
trap 'kill "${holders[@]}" $xvfb_pid 2>/dev/null; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.025; done
export DISPLAY=":$(cat "$work/display")" XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/tagsmit"
cp samples/logo.gif "$work/Logo.gif"
cp samples/logo.gif "$work/short.gif"

settings() {  # paste string
  printf '{"init": {"version": "115", "ClipStr": "%s\\n", "ClipStrNo": "0"}}\n' "$1" \
    >"$XDG_CONFIG_HOME/tagsmit/settings.json"
}
holder() { pgrep -xf -- "$tagsmit $work/$1"; }
hwm() { awk '/^VmHWM/ { print $2 }' "/proc/$1/status"; }

settings '&f'
"$tagsmit" "$work/short.gif"
holders+=("$(holder short.gif)")
echo "holder of a short text: $(hwm "${holders[0]}") KiB"
settings "$(head -c $((size - 8)) /dev/zero | tr '\0' x)&f"
"$tagsmit" "$work/Logo.gif"
h=$(holder Logo.gif)
holders+=("$h")
echo "holder of $size bytes: $(hwm "$h") KiB after the run"
[ "$(xclip -o -selection clipboard | wc -c)" -eq "$size" ] || { echo "wrong text" >&2; exit 1; }
echo "holder of $size bytes: $(hwm "$h") KiB after a UTF8_STRING read"
xclip -o -selection clipboard -t STRING >/dev/null
echo "holder of $size bytes: $(hwm "$h") KiB after a STRING read"
