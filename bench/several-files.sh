#!/usr/bin/env bash
# A drop of many files with 複数のファイルを読む on, under an Xvfb of our own
# (1024 x 768): for each COUNT, COUNT copies of logo.gif (hard links img1.gif
# ... imgCOUNT.gif, in one folder), named in a shuffled order as a file
# manager may hand them over. For each mode (fixed path, relative path):
# the time from start until the run returns with the text on the clipboard
# and the run's peak resident memory (fastest and largest of RUNS), the
# clipboard holder's peak, the size of the text on the clipboard against the
# sum of its lines, and the same run in print mode. Then COUNT files that do
# not exist, with report errors on: the height of the box that names them.
#
# Usage: bench/several-files.sh [TAGSMIT] [COUNT...]
#   TAGSMIT  the program, default build/app/bin/tagsmit
#   COUNT    default 1000 10000; RUNS (environment) default 3
set -euo pipefail
cd "$(dirname "$0")/.."
tagsmit=$(realpath "${1:-build/app/bin/tagsmit}")
shift || true
counts=("${@:-1000 10000}")
read -ra counts <<<"${counts[*]}"
runs=${RUNS:-3}

work=$(mktemp -d)
xvfb_pid=""
# Holders end with their X server.
trap 'kill $xvfb_pid 2>/dev/null; rm -rf "$work"' EXIT
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1024x768x24 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.025; done
export DISPLAY=":$(cat "$work/display")" XDG_CONFIG_HOME=$work/config
mkdir -p "$XDG_CONFIG_HOME/tagsmit"

settings() {  # NotyfyErr RelativePath: SeveralFiles on, the built-in paste string
  printf '{"init": {"version": "115", "ClipStr": "<IMG SRC=\\"&f\\" WIDTH=&w HEIGHT=&h ALT=\\"\\">\\n",
    "ClipStrNo": "0", "NotyfyErr": "%s", "Test": "0", "LowerCase": "0", "RelativePath": "%s",
    "FixedPath": "./", "BasePath": "%s", "MoreFormats": "0", "DisplaySize": "0",
    "DensitySize": "0", "SrcSet": "0", "SeveralFiles": "1"}}\n' "$1" "$2" "$work" \
    >"$XDG_CONFIG_HOME/tagsmit/settings.json"
}
holder_peak() { awk '/^VmHWM/ { print $2 }' "/proc/$(pgrep -nf -- "^$tagsmit ")/status"; }
# Fastest seconds and largest peak KiB of RUNS runs of the command.
measure() {
  local best="" peak=0 t m
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%e %M' -o "$work/time" "$@" >"$work/out" 2>"$work/err" ||
      { echo "failed: $(head -3 "$work/err")" >&2; exit 1; }
    read -r t m <"$work/time"
    if [ -z "$best" ] || awk "BEGIN { exit !($t < $best) }"; then best=$t; fi
    ((m > peak)) && peak=$m
  done
  echo "$best s, $peak KiB"
}

printf '| files | mode | run | holder peak | text / sum of lines | print mode |\n|---|---|---|---|---|---|\n'
for count in "${counts[@]}"; do
  folder=$work/img$count
  mkdir "$folder"
  for i in $(seq "$count"); do ln samples/logo.gif "$folder/img$i.gif"; done
  mapfile -t files < <(seq "$count" | shuf --random-source=<(yes) | sed "s|.*|$folder/img&.gif|")
  for mode in fixed relative; do
    settings 0 "$([ $mode == relative ] && echo 255 || echo 0)"
    run=$(measure "$tagsmit" "${files[@]}")
    text=$(xclip -o -selection clipboard | wc -c)
    sum=$("$tagsmit" --print "${files[@]}" | awk '{ s += length($0) } END { print s + NR - 1 }')
    print=$(measure "$tagsmit" --print "${files[@]}")
    echo "| $count | $mode | $run | $(holder_peak) KiB | $text / $sum bytes | $print |"
  done
  rm -rf "$folder"
done

echo
for count in "${counts[@]}"; do
  settings 1 0
  mapfile -t missing < <(seq "$count" | sed "s|.*|$work/gone/img&.gif|")
  "$tagsmit" "${missing[@]}" &
  pid=$!
  window=""
  for _ in $(seq 400); do
    window=$(xdotool search --onlyvisible --name '^Tagsmit$' 2>/dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.025
  done
  [ -n "$window" ] || { echo "no box for $count failures" >&2; exit 1; }
  sleep 0.5  # laid out
  height=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: [0-9]*x//p')
  echo "box for $count files that cannot be read: $height pixels high on a screen of 768"
  xdotool windowfocus --sync "$window" 2>/dev/null
  xdotool key --clearmodifiers Return
  wait "$pid" || true
done
