#!/usr/bin/env bash
# Wall time of a whole Tagsmit.exe run under Wine, `Tagsmit.exe photo.jpg`
# (settings at their defaults, test display off), against the smallest static
# program that sets the same clipboard text (bench/clipboard_setter.cpp, built
# here as Tagsmit.exe is built for release), round by round in one loop, the
# order of the two alternating, on one Wine server kept alive in a prefix of
# the benchmark's own and an Xvfb of its own; then the DLLs that each loads
# beyond the setter's.
#
# Usage: bench/windows-latency.sh [TAGSMIT_EXE] [ROUNDS]
#   TAGSMIT_EXE  the program, default build/windows-release/bin/Tagsmit.exe
#                (cmake --preset windows-release && cmake --build --preset
#                windows-release --target Tagsmit)
#   ROUNDS       rounds to time, default 30
# The prefix, build/bench-wineprefix, is made on first use (about a minute).
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/timing.sh
exe=$(realpath "${1:-build/windows-release/bin/Tagsmit.exe}")
rounds=${2:-30}
export WINEPREFIX=$PWD/build/bench-wineprefix
cmake/wine-run.sh "$WINEPREFIX" cmd /c exit  # makes the prefix once
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64)
wineserver=${wine%/*}/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
export WINEDEBUG=-all

work=$(mktemp -d)
xvfb_pid=""
end() {
  "$wineserver" -k 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid"
  rm -rf "$work"
}
trap end EXIT
Xvfb -displayfd 3 -nolisten tcp -noreset 3>"$work/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.025; done
export DISPLAY=":$(cat "$work/display")"
"$wineserver" -k 2>/dev/null || true
"$wineserver" -w
"$wineserver" -p  # one server for every run, as on a desktop

# The defaults as the settings window stores them. Wine takes APPDATA from
# the prefix.
settings=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/tagsmit
mkdir -p "$settings"
cat >"$settings/settings.json" <<'JSON'
{"init": {"version": "115", "ClipStr": " WIDTH=&w HEIGHT=&h\n&f\" WIDTH=&w HEIGHT=&h>\n<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">\n", "ClipStrNo": "0", "NotyfyErr": "0", "Test": "0", "LowerCase": "0", "RelativePath": "0", "FixedPath": "./", "BasePath": "C:\\"}}
JSON
cp samples/photo.jpg "$work/photo.jpg"
x86_64-w64-mingw32-g++-posix -O2 -static -s -mwindows -municode \
  bench/clipboard_setter.cpp -o "$work/setter.exe"
cd "$work"
CLIPBOARD_TEXT=$("$wine" "$exe" --print photo.jpg | tr -d '\r')
export CLIPBOARD_TEXT

tagsmit_run() { "$wine" "$exe" photo.jpg; }
setter_run() { "$wine" setter.exe; }
for _ in 1 2 3; do tagsmit_run; setter_run; done  # warm the caches
# Wall time, and the CPU time of the Wine process (user and system), which
# load from elsewhere disturbs less; the Wine server's share is not in it.
: >tagsmit.us
: >setter.us
: >tagsmit.cpu
: >setter.cpu
TIMEFORMAT='%3U %3S'
for round in $(seq "$rounds"); do
  for which in $( ((round % 2)) && echo tagsmit setter || echo setter tagsmit); do
    start=$(now_us)
    { time "${which}_run"; } 2>"$which.time"
    echo $(($(now_us) - start)) >>"$which.us"
    awk '{print int(1000000 * ($1 + $2))}' "$which.time" >>"$which.cpu"
  done
done
# Medians and means of both, the ratio of the medians, the median of the
# ratios of each round's pair.
compare() {  # what, suffix
  local t_median t_mean s_median s_mean paired
  read -r t_median t_mean < <(stats "tagsmit.$2")
  read -r s_median s_mean < <(stats "setter.$2")
  paired=$(paste "tagsmit.$2" "setter.$2" | awk '$2 > 0 {print int(1000000 * $1 / $2)}' |
    sort -n | awk '{v[NR]=$1} END {m=(NR%2)?v[(NR+1)/2]:(v[NR/2]+v[NR/2+1])/2; printf "%.2f", m/1000000}')
  awk -v w="$1" -v tm="$t_median" -v ta="$t_mean" -v sm="$s_median" -v sa="$s_mean" \
    -v p="$paired" 'BEGIN {printf "%s: Tagsmit.exe median %.2f ms, mean %.2f ms; setter median %.2f ms, mean %.2f ms; ratio of medians %.2f, median of paired ratios %s\n", w, tm, ta, sm, sa, tm / sm, p}'
}
echo "$rounds rounds"
compare wall us
compare CPU cpu

# The DLLs a run loads that the setter does not, each program's own (the
# trace holds those of Wine's processes too).
loaded() {  # program, command...
  local program=$1 process
  shift
  WINEDEBUG=+loaddll "$@" 2>trace >/dev/null
  process=$(grep -a -m1 -i "loaddll:.*\\\\$program\"" trace | cut -d: -f1)
  grep -a "^$process:trace:loaddll" trace | grep -aoiE '[a-z0-9_.-]+\.dll"' | tr -d '"' |
    tr 'A-Z' 'a-z' | sort -u
}
loaded setter.exe setter_run >setter.dlls
loaded "${exe##*/}" tagsmit_run >tagsmit.dlls
echo "DLLs beyond the setter's: $(comm -13 setter.dlls tagsmit.dlls | tr '\n' ' ')"
