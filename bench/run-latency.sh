#!/usr/bin/env bash
# Wall time of a whole successful run, `tagsmit photo.jpg` (settings at their
# defaults, test display off), against `xclip -selection clipboard -i` of the
# same text, paired run by run under an Xvfb of our own with no clipboard
# manager; and the peak resident memory of the process the user starts.
#
# Usage: bench/run-latency.sh [TAGSMIT] [ROUNDS]
#   TAGSMIT  the program, default build/app/bin/tagsmit (cmake --preset app &&
#            cmake --build --preset app)
#   ROUNDS   pairs to time, default 200
set -euo pipefail
cd "$(dirname "$0")/.."
tagsmit=$(realpath "${1:-build/app/bin/tagsmit}")
rounds=${2:-200}

work=$(mktemp -d)
xvfb_pid=""
trap '[ -n "$xvfb_pid" ] && kill "$xvfb_pid"; rm -rf "$work"' EXIT

Xvfb -displayfd 3 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.025; done
export DISPLAY=":$(cat "$work/display")"

# The defaults as the settings window stores them.
export XDG_CONFIG_HOME="$work/config"
mkdir -p "$XDG_CONFIG_HOME/tagsmit"
cat >"$XDG_CONFIG_HOME/tagsmit/settings.json" <<JSON
{"init": {"version": "115", "ClipStr": " WIDTH=&w HEIGHT=&h\n&f\" WIDTH=&w HEIGHT=&h>\n<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">\n", "ClipStrNo": "0", "NotyfyErr": "0", "Test": "0", "LowerCase": "0", "RelativePath": "0", "FixedPath": "./", "BasePath": "$work"}}
JSON
cp samples/photo.jpg "$work/photo.jpg"
cd "$work"

text=$("$tagsmit" --print photo.jpg)
printf '%s' "$text" >text.txt
"$tagsmit" photo.jpg
[ "$(xclip -o -selection clipboard)" == "$text" ] || { echo "tagsmit did not copy: $text" >&2; exit 1; }

now_us() { local t=${EPOCHREALTIME/./}; echo "$t"; }
: >tagsmit.times
: >xclip.times
for _ in $(seq "$rounds"); do
  start=$(now_us); "$tagsmit" photo.jpg; end=$(now_us)
  echo $((end - start)) >>tagsmit.times
  start=$(now_us); xclip -selection clipboard -i <text.txt; end=$(now_us)
  echo $((end - start)) >>xclip.times
done

# Peak resident set of the started process alone (the holder is a child that
# outlives it and is not counted), in KiB, largest of 20 runs.
peak() {
  local max=0 kib
  for _ in $(seq 20); do
    /usr/bin/time -f '%M' -o "$work/rss" "$@" >/dev/null 2>&1
    kib=$(tail -1 "$work/rss")
    ((kib > max)) && max=$kib
  done
  echo "$max"
}
tagsmit_peak=$(peak "$tagsmit" photo.jpg)
xclip_peak=$(peak xclip -selection clipboard -i text.txt)

stats() {  # median and mean in ms
  sort -n "$1" | awk '{v[NR]=$1; s+=$1} END {m=(NR%2)?v[(NR+1)/2]:(v[NR/2]+v[NR/2+1])/2;
    printf "%.2f %.2f\n", m/1000, s/NR/1000}'
}
read -r t_median t_mean < <(stats tagsmit.times)
read -r x_median x_mean < <(stats xclip.times)
echo "rounds: $rounds (paired, alternating)"
echo "tagsmit photo.jpg               median ${t_median} ms, mean ${t_mean} ms, peak RSS ${tagsmit_peak} KiB"
echo "xclip -selection clipboard -i median ${x_median} ms, mean ${x_mean} ms, peak RSS ${xclip_peak} KiB"
awk -v t="$t_median" -v x="$x_median" -v tm="$t_mean" -v xm="$x_mean" \
  'BEGIN {printf "ratio tagsmit/xclip: median %.2f, mean %.2f\n", t/x, tm/xm}'
