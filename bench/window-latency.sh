#!/usr/bin/env bash
# Wall time from starting `tagsmit` without a file to the moment its settings
# window is mapped on screen, under an Xvfb of our own with no window manager.
# `xev` watches the root window for MapNotify; this shell reads its lines as
# they come and stamps each with EPOCHREALTIME, so no polling delay enters the
# figure. Each round then closes the window with Escape and waits for the end.
#
# Usage: bench/window-latency.sh [TAGSMIT] [ROUNDS]
#   TAGSMIT  the program, default build/app/bin/tagsmit (cmake --preset app &&
#            cmake --build --preset app)
#   ROUNDS   timed rounds after the first (cold) one, default 50
set -euo pipefail
cd "$(dirname "$0")/.."
tagsmit=$(realpath "${1:-build/app/bin/tagsmit}")
rounds=${2:-50}
title='Tagsmit 設定'

work=$(mktemp -d)
xvfb_pid=""
xev_pid=""
run_pid=""
cleanup() {
  [ -n "$run_pid" ] && kill "$run_pid" 2>/dev/null
  [ -n "$xev_pid" ] && kill "$xev_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1024x768x24 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.025; done
[ -s "$work/display" ] || { echo "Xvfb did not start" >&2; exit 1; }
export DISPLAY=":$(cat "$work/display")"

# The defaults as the settings window stores them, as in run-latency.sh.
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_CONFIG_HOME/tagsmit" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
cat >"$XDG_CONFIG_HOME/tagsmit/settings.json" <<JSON
{"init": {"version": "115", "ClipStr": " WIDTH=&w HEIGHT=&h\n&f\" WIDTH=&w HEIGHT=&h>\n<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">\n", "ClipStrNo": "0", "NotyfyErr": "0", "Test": "0", "LowerCase": "0", "RelativePath": "0", "FixedPath": "./", "BasePath": "$work"}}
JSON
cd "$work"

# Line-buffered, so each event reaches us when xev receives it.
exec {xev_fd}< <(exec stdbuf -oL xev -root -event substructure 2>/dev/null)
xev_pid=$!
sleep 1  # xev selects its events on the root window right after it starts

# Reads xev lines until the settings window is mapped; sets mapped_at (µs,
# when the MapNotify line arrived) and window. Fails after 30 s without one.
wait_mapped() {
  local line at id
  while IFS= read -r -t 30 -u "$xev_fd" line; do
    [[ $line == MapNotify* ]] || continue
    at=${EPOCHREALTIME/./}
    IFS= read -r -t 30 -u "$xev_fd" line || break
    [[ $line =~ window\ (0x[0-9a-f]+) ]] || continue
    id=$((BASH_REMATCH[1]))
    if [ "$(xdotool getwindowname "$id" 2>/dev/null)" == "$title" ]; then
      mapped_at=$at
      window=$id
      return 0
    fi
  done
  echo "no MapNotify of \"$title\" within 30 s" >&2
  cat "$work/err" >&2
  exit 1
}

# Leaves no event of a round for the next one.
drain() {
  local line
  while IFS= read -r -t 0.2 -u "$xev_fd" line; do :; done
}

# One round; sets latency in µs.
round() {
  local start status=0
  start=${EPOCHREALTIME/./}
  "$tagsmit" >/dev/null 2>"$work/err" &
  run_pid=$!
  wait_mapped
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key --clearmodifiers Escape
  wait "$run_pid" || status=$?
  run_pid=""
  ((status == 0)) || { echo "tagsmit ended with $status" >&2; cat "$work/err" >&2; exit 1; }
  drain
  latency=$((mapped_at - start))
}

round
cold=$latency
: >window.times
for _ in $(seq "$rounds"); do
  round
  echo "$latency" >>window.times
done

sort -n window.times | awk -v cold="$cold" -v title="$title" '
  {v[NR]=$1; s+=$1}
  END {m=(NR%2)?v[(NR+1)/2]:(v[NR/2]+v[NR/2+1])/2;
    printf "tagsmit until \"%s\" is mapped\n", title;
    printf "first (cold) round: %.2f ms\n", cold/1000;
    printf "%d rounds after it: median %.2f ms, mean %.2f ms, min %.2f ms, max %.2f ms\n",
      NR, m/1000, s/NR/1000, v[1]/1000, v[NR]/1000}'
