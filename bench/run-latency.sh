#!/usr/bin/env bash
# Wall time of a whole successful run, `tagsmit photo.jpg` (settings at their
# defaults, test display off), against `xclip -selection clipboard -i` of the
# same text and against the general image-size readers one would otherwise
# pipe into xclip, round by round under an Xvfb of our own with no clipboard
# manager; and the peak resident memory of the process the user starts.
#
# Usage: bench/run-latency.sh [TAGSMIT] [ROUNDS] [OTHER...]
#   TAGSMIT  the program, default build/app/bin/tagsmit (cmake --preset app &&
#            cmake --build --preset app)
#   ROUNDS   rounds to time, default 200
#   OTHER    other builds of the program (an earlier commit's, say), timed in
#            the same rounds right after TAGSMIT, each with its modules beside it
# Peers, each skipped and named when missing: ImageMagick's identify (Debian
# imagemagick), Python's imagesize (Debian python3-imagesize) and Node's
# image-size (npm install --prefix build/peers image-size; NODE_PATH, default
# build/peers/node_modules).
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/timing.sh
tagsmit=$(realpath "${1:-build/app/bin/tagsmit}")
rounds=${2:-200}
others=()
for other in "${@:3}"; do others+=("$(realpath "$other")"); done
export NODE_PATH=${NODE_PATH:-$PWD/build/peers/node_modules}

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

# The peers print the text without a newline, as tagsmit copies it.
cat >peer.py <<'PY'
import sys
import imagesize
width, height = imagesize.get(sys.argv[1])
sys.stdout.write(f'<IMG SRC="{sys.argv[1]}" WIDTH={width} HEIGHT={height} ALT="">')
PY
cat >peer.js <<'JS'
const { imageSizeFromFile } = require("image-size/fromFile");
const file = process.argv[2];
imageSizeFromFile(file).then((d) => {
  process.stdout.write(`<IMG SRC="${file}" WIDTH=${d.width} HEIGHT=${d.height} ALT="">`);
});
JS
python=""
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import imagesize' 2>/dev/null; then python=$candidate; break; fi
done

# One round of each command; a peer pipes its text into xclip. Peers get
# ./photo.jpg, the reference path tagsmit writes with these settings.
identify_format='<IMG SRC="%i" WIDTH=%w HEIGHT=%h ALT="">'
run_tagsmit() { "$tagsmit" photo.jpg; }
for i in "${!others[@]}"; do eval "run_other$i() { \"\${others[$i]}\" photo.jpg; }"; done
run_xclip() { xclip -selection clipboard -i <text.txt; }
run_identify() { identify -format "$identify_format" ./photo.jpg | xclip -selection clipboard -i; }
run_python() { "$python" peer.py ./photo.jpg | xclip -selection clipboard -i; }
run_node() { node peer.js ./photo.jpg | xclip -selection clipboard -i; }

declare -A label=(
  [tagsmit]="tagsmit photo.jpg"
  [xclip]="xclip -selection clipboard -i"
  [identify]="identify -format | xclip"
  [python]="python3 imagesize | xclip"
  [node]="node image-size | xclip"
)
commands=(tagsmit xclip)
for i in "${!others[@]}"; do
  commands+=("other$i")
  label[other$i]="${others[$i]}"
done
skipped=()
if command -v identify >/dev/null; then commands+=(identify); else skipped+=("identify (imagemagick)"); fi
if [ -n "$python" ]; then commands+=(python); else skipped+=("python3 imagesize (python3-imagesize)"); fi
if command -v node >/dev/null && node -e 'require("image-size/fromFile")' 2>/dev/null; then
  commands+=(node)
else
  skipped+=("node image-size (npm image-size)")
fi

# Each peer must leave the very text tagsmit copies. xclip returns before its
# holder owns the selection, so the check waits for it.
xclip -o -selection clipboard >expected.clip
for c in "${commands[@]:2}"; do
  printf 'other' | xclip -selection clipboard -i
  "run_$c"
  for _ in $(seq 200); do
    xclip -o -selection clipboard >got.clip 2>/dev/null && cmp -s got.clip expected.clip && break
    sleep 0.025
  done
  cmp -s got.clip expected.clip || {
    echo "${label[$c]} copied [$(cat got.clip)], not [$text]" >&2
    exit 1
  }
done

# Each command takes the clipboard from the holder of the one before it, whose
# ending competes with its run: the order turns by one each round, so that
# every command follows every other equally often.
for c in "${commands[@]}"; do : >"$c.times"; done
n=${#commands[@]}
for ((r = 0; r < rounds; r++)); do
  for ((k = 0; k < n; k++)); do
    c=${commands[(r + k) % n]}
    start=$(now_us); "run_$c"; end=$(now_us)
    echo $((end - start)) >>"$c.times"
  done
done

# Peak resident set of the started process alone: for tagsmit without its
# holder, for a peer the reader without xclip.
declare -A rss=(
  [tagsmit]=$(peak "$tagsmit" photo.jpg)
  [xclip]=$(peak xclip -selection clipboard -i text.txt)
)
for i in "${!others[@]}"; do rss[other$i]=$(peak "${others[$i]}" photo.jpg); done
[[ " ${commands[*]} " == *" identify "* ]] && rss[identify]=$(peak identify -format "$identify_format" ./photo.jpg)
[[ " ${commands[*]} " == *" python "* ]] && rss[python]=$(peak "$python" peer.py ./photo.jpg)
[[ " ${commands[*]} " == *" node "* ]] && rss[node]=$(peak node peer.js ./photo.jpg)

read -r t_median t_mean < <(stats tagsmit.times)
echo "rounds: $rounds (each round runs ${commands[*]}, each round's order turned by one)"
((${#skipped[@]})) && echo "skipped, not installed: ${skipped[*]}"
printf '%-31s %10s %10s %15s %13s %14s\n' command median mean "median/tagsmit" "mean/tagsmit" "peak RSS"
for c in "${commands[@]}"; do
  read -r median mean < <(stats "$c.times")
  awk -v l="${label[$c]}" -v m="$median" -v a="$mean" -v tm="$t_median" -v ta="$t_mean" -v r="${rss[$c]}" \
    'BEGIN {printf "%-31s %7.2f ms %7.2f ms %15.2f %13.2f %10d KiB\n", l, m, a, m/tm, a/ta, r}'
done
read -r x_median x_mean < <(stats xclip.times)
for c in tagsmit "${!others[@]}"; do
  [ "$c" == tagsmit ] || c=other$c
  read -r median mean < <(stats "$c.times")
  awk -v l="${label[$c]%% *}" -v t="$median" -v x="$x_median" -v tm="$mean" -v xm="$x_mean" \
    'BEGIN {printf "ratio %s/xclip: median %.2f, mean %.2f\n", l, t/x, tm/xm}'
done
