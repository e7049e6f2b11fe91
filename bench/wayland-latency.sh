#!/usr/bin/env bash
# Wall time of a whole successful run in a Wayland session, `tagsmit photo.jpg`
# (settings at their defaults, test display off), against `wl-copy` of the same
# text, round by round in one loop, on a headless sway with Xwayland that the
# script starts (as user 65534 when started as root: sway refuses root), with
# no clipboard manager; and the peak resident memory of the process the user
# starts, without the holder it leaves.
#
# Usage: bench/wayland-latency.sh [TAGSMIT] [ROUNDS]
#   TAGSMIT  the program, default build/app/bin/tagsmit (cmake --preset app &&
#            cmake --build --preset app); its ../lib/tagsmit comes along
#   ROUNDS   rounds to time, default 200
set -euo pipefail
cd "$(dirname "$0")/.."
. bench/timing.sh

if [ "${1:-}" == --in-session ]; then
  # The measurement proper, inside the session, in the work folder.
  rounds=$2
  tagsmit=$PWD/stage/bin/tagsmit
  text=$("$tagsmit" --print photo.jpg)
  printf '%s' "$text" >text.txt
  "$tagsmit" photo.jpg
  [ "$(timeout 5 wl-paste --no-newline)" == "$text" ] || { echo "tagsmit did not copy" >&2; exit 1; }
  : >tagsmit.times
  : >wl-copy.times
  for _ in $(seq "$rounds"); do
    start=$(now_us); "$tagsmit" photo.jpg; end=$(now_us)
    echo $((end - start)) >>tagsmit.times
    # wl-copy's own holder keeps the descriptors it was given.
    start=$(now_us); wl-copy <text.txt >/dev/null 2>&1; end=$(now_us)
    echo $((end - start)) >>wl-copy.times
  done
  read -r t_median t_mean < <(stats tagsmit.times)
  read -r w_median w_mean < <(stats wl-copy.times)
  echo "rounds: $rounds (each runs tagsmit photo.jpg, then wl-copy <text.txt)"
  echo "tagsmit photo.jpg: median $t_median ms, mean $t_mean ms, peak $(peak "$tagsmit" photo.jpg) KiB"
  echo "wl-copy:           median $w_median ms, mean $w_mean ms, peak $(peak wl-copy <text.txt) KiB"
  awk -v t="$t_median" -v w="$w_median" -v tm="$t_mean" -v wm="$w_mean" \
    'BEGIN {printf "ratio tagsmit/wl-copy: median %.2f, mean %.2f\n", t/w, tm/wm}'
  exit 0
fi

tagsmit=$(realpath "${1:-build/app/bin/tagsmit}")
rounds=${2:-200}
work=$(mktemp -d)
session=$work/session
session_pids() { grep -lzxF "XDG_RUNTIME_DIR=$session" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3; }
trap 'kill -KILL $(session_pids) 2>/dev/null; rm -rf "$work"' EXIT

# The program with its modules, the image, the defaults as the settings
# window stores them, and the scripts, where the session's user reaches them.
mkdir -p "$work/stage/bin" "$work/config/tagsmit" "$work/bench" -m 700 "$session"
cp "$tagsmit" "$work/stage/bin/"
[ -d "$(dirname "$tagsmit")/../lib" ] && cp -r "$(dirname "$tagsmit")/../lib" "$work/stage/"
cp samples/photo.jpg "$work/"
cp bench/wayland-latency.sh bench/timing.sh "$work/bench/"
cp tests/e2e/session_ready.sh "$work/"
cat >"$work/config/tagsmit/settings.json" <<JSON
{"init": {"version": "115", "ClipStr": " WIDTH=&w HEIGHT=&h\n&f\" WIDTH=&w HEIGHT=&h>\n<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">\n", "ClipStrNo": "0", "NotyfyErr": "0", "Test": "0", "LowerCase": "0", "RelativePath": "0", "FixedPath": "./", "BasePath": "$work"}}
JSON
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$work"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups --)
fi
in_session=("${as_user[@]}" env -i "PATH=$PATH" "HOME=$work" "XDG_RUNTIME_DIR=$session"
  "XDG_CONFIG_HOME=$work/config" LANG=C.UTF-8)

printf 'xwayland force\nexec %s %s\n' "$work/session_ready.sh" "$work/session.env" >"$work/sway.conf"
"${in_session[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
  sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
disown  # ended with the rest of the session at exit
for _ in $(seq 400); do [ -e "$work/session.env" ] && break; sleep 0.025; done
[ -e "$work/session.env" ] || { echo "sway did not start: $(tail -5 "$work/sway.log")" >&2; exit 1; }
mapfile -t addresses <"$work/session.env"
cd "$work"
"${in_session[@]}" "${addresses[@]}" bash bench/wayland-latency.sh --in-session "$rounds"
