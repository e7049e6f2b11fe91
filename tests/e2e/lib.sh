# Shared by the end-to-end scripts: a work folder, an Xvfb of the test's own,
# and running the installed program. TAGSMIT: the installed program.
set -uo pipefail

: "${TAGSMIT:?path of the installed tagsmit}"

work=$(mktemp -d)
xvfb_pid=""
run_pid=""
# What runs the program and the clipboard clients inside another session
# (another user, another environment); empty for the Xvfb of the test.
in_session=()
# Commands that end what a script started beside Xvfb, run first at exit.
cleanup_steps=()
helper_pids=()  # background helpers of a case, ended with it
cleanup() {
  local step
  for step in "${cleanup_steps[@]}"; do $step; done
  # Holders end by themselves when their X server goes away.
  [ -n "$xvfb_pid" ] && xdotool keyup shift 2>/dev/null
  [ -n "$run_pid" ] && kill "$run_pid" 2>/dev/null
  ((${#helper_pids[@]})) && kill "${helper_pids[@]}" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  [ -s "$work/err" ] && sed 's/^/  tagsmit stderr: /' "$work/err" >&2
  local log
  for log in "$work"/*.log; do
    [ -s "$log" ] && tail -n 20 "$log" | sed "s|^|  ${log##*/}: |" >&2
  done
  exit 1
}
expect_eq() {  # what, expected, actual
  [ "$2" == "$3" ] || fail "$1: expected [$2], got [$3]"
}

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" HOME="$work"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
export LANG=C.UTF-8

# Without -noreset the server resets whenever its last client leaves, and a
# client connecting meanwhile (the program while xdotool polls) is refused.
start_xvfb() {
  Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 800x600x24 3>"$work/display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 200); do
    [ -s "$work/display" ] && break
    sleep 0.025
  done
  [ -s "$work/display" ] || fail "Xvfb did not start"
  export DISPLAY=":$(cat "$work/display")"
}

# xclip waits for ever on an owner that dies while it asks.
clipboard() { timeout 5 "${in_session[@]}" xclip -o -selection clipboard 2>/dev/null; }
set_sentinel() {
  printf 'sentinel' | xclip -i -selection clipboard
  # xclip returns before its own holder owns the selection.
  for _ in $(seq 200); do
    [ "$(clipboard)" == sentinel ] && return
    sleep 0.025
  done
  fail "xclip did not take the clipboard"
}

# Runs tagsmit in the background; sets run_pid.
start_tagsmit() {
  "${in_session[@]}" "$TAGSMIT" "$@" >"$work/out" 2>"$work/err" &
  run_pid=$!
}
# Seconds that a run, or a window to show, may take.
patience=10
# Runs the command until it succeeds; returns 1 after patience.
eventually() {
  local deadline=$((SECONDS + patience))
  until "$@"; do
    ((SECONDS < deadline)) || return 1
    sleep 0.025
  done
}
# Waits for the background run; sets run_status. Fails after patience.
wait_tagsmit() {
  local deadline=$((SECONDS + patience))
  while ((SECONDS < deadline)); do
    if ! kill -0 "$run_pid" 2>/dev/null; then
      wait "$run_pid"
      run_status=$?
      run_pid=""
      return
    fi
    sleep 0.025
  done
  fail "tagsmit did not end"
}
# Runs tagsmit to its end; sets run_status.
run_tagsmit() {
  start_tagsmit "$@"
  wait_tagsmit
}
# Writes the settings, runs tagsmit to its end on a file and expects success
# and the text on the clipboard.
expect_run() {  # file, expected clipboard, settings...
  local file=$1 expected=$2
  shift 2
  write_settings "$@"
  run_tagsmit "$file"
  expect_eq "status for $file" 0 "$run_status"
  expect_eq "clipboard for $file" "$expected" "$(clipboard)"
}
# Prints the id of the visible window of exactly that name once it is shown
# while tagsmit runs; returns 1 when none comes.
wait_window() {
  local id deadline=$((SECONDS + patience))
  while ((SECONDS < deadline)); do
    kill -0 "$run_pid" 2>/dev/null || return 1
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.025
  done
  return 1
}
press() {  # window, key
  xdotool windowfocus --sync "$1" 2>/dev/null
  xdotool key --clearmodifiers "$2"
}

# A caller may end its process group as soon as the run returns (a closed
# terminal, a task runner): the holder must have left it by then. strace holds
# the holder's setsid back, so a run that returns too early loses the text
# every time, not now and then. Skips the test where strace cannot trace.
on_setsid=(strace -f -qq -o /dev/null -e trace=setsid -e)
run_killed_caller() {  # file
  if ! "${in_session[@]}" strace -o /dev/null true 2>/dev/null; then
    echo "SKIP: strace cannot trace here"
    exit 77
  fi
  { "${in_session[@]}" setsid -w "${on_setsid[@]}" inject=setsid:delay_enter=100ms \
      bash -c '"$0" "$1"; kill -KILL 0' "$TAGSMIT" "$1"; } 2>/dev/null
}

# The stored keys in the order the program writes them, from the list of its
# stored values: one row each, starting with the key.
stored_values_source=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../../src/run/stored_values.cpp")
stored_keys() {
  sed -n 's/^ *{"\([A-Za-z]*\)",.*/\1/p' "$stored_values_source"
}

# settings.json for the store, in settings_folder; arguments are KEY=VALUE
# overrides whose values are JSON string text (\n, \\). The file holds the
# nine keys of release 1.1.5, and the later switches only when given.
settings_folder="$XDG_CONFIG_HOME/tagsmit"
write_settings() {
  local -A v=([ClipStr]='<IMG SRC="&f" WIDTH=&w HEIGHT=&h ALT="">\n' [ClipStrNo]=0 [NotyfyErr]=0
    [Test]=0 [LowerCase]=0 [RelativePath]=0 [FixedPath]=./ [BasePath]=/tmp)
  local pair
  for pair in "$@"; do v[${pair%%=*}]=${pair#*=}; done
  local json='{"init": {"version": "115"' key value
  for key in $(stored_keys); do
    [ -n "${v[$key]+set}" ] || continue  # the later switches only when given
    value=${v[$key]//\"/\\\"}
    json+=", \"$key\": \"$value\""
  done
  mkdir -p "$settings_folder"
  printf '%s}}\n' "$json" >"$settings_folder/settings.json"
}

# Test images in $work/site/img, named as the cases need them. SAMPLES: the
# folder with logo.gif (120 x 60) and photo.jpg (64 x 48).
make_site() {
  mkdir -p "$work/site/doc" "$work/site/img"
  cp "$SAMPLES/logo.gif" "$work/site/img/Logo.gif"
  cp "$SAMPLES/photo.jpg" "$work/site/img/a photo.jpg"
  cp "$SAMPLES/logo.gif" "$work/site/img/ÄÖ Ünï.GIF"
  cp "$SAMPLES/logo.gif" "$work/site/img/second.gif"
}

tag() { echo "<IMG SRC=\"$1\" WIDTH=$2 HEIGHT=$3 ALT=\"\">"; }

# The two switches end to end, on images made in $work/site/img: a PNG of
# 48 x 32, the same as an AVIF turned a quarter (shown 32 x 48), and
# photo.jpg with Exif orientation 6 (shown 48 x 64). FOLDER: that folder as
# the program names it, with the separator at its end.
expect_formats() {
  local folder=$1 img=$work/site/img
  convert -size 48x32 xc:red "$img/Shot.png" &&
    avifenc -s 10 --irot 1 "$img/Shot.png" "$img/Turned.avif" >/dev/null &&
    exiftool -q -n -Orientation=6 -o "$img/Portrait.jpg" "$SAMPLES/photo.jpg" ||
    fail "cannot make the images"
  write_settings
  set_sentinel
  run_tagsmit "${folder}Shot.png"
  expect_eq "status for a PNG, both switches off" 1 "$run_status"
  expect_eq "clipboard after a PNG, both switches off" sentinel "$(clipboard)"
  expect_run "${folder}Shot.png" "$(tag ./Shot.png 48 32)" MoreFormats=1
  expect_run "${folder}Turned.avif" "$(tag ./Turned.avif 32 48)" MoreFormats=1
  expect_run "${folder}Portrait.jpg" "$(tag ./Portrait.jpg 64 48)" MoreFormats=1
  expect_run "${folder}Portrait.jpg" "$(tag ./Portrait.jpg 48 64)" MoreFormats=0 DisplaySize=1
}

# The density switches end to end: copies of logo.gif (120 x 60) in
# $work/site/img named as variants of "my logo.gif", and one of another
# format beside them. FOLDER as for expect_formats.
expect_densities() {
  local folder=$1 img=$work/site/img name
  for name in "my logo.gif" "my logo@2x.gif" "my logo@3X.gif" "my logo@1.5x.webp"; do
    cp "$SAMPLES/logo.gif" "$img/$name" || fail "cannot copy $name"
  done
  local ready='ClipStr=<img src="&f" srcset="&s" width="&w" height="&h" alt="">\n'
  # Settings are read by position: the switches before the two are given too.
  expect_run "${folder}my logo@2x.gif" "<img src=\"./my logo@2x.gif\" srcset=\"./my%20logo.gif 1x, \
./my%20logo@2x.gif 2x, ./my%20logo@3X.gif 3x\" width=\"60\" height=\"30\" alt=\"\">" \
    "$ready" MoreFormats=0 DisplaySize=0 DensitySize=1 SrcSet=1
  # Off, as in older settings: the size stored, and "&s" as written.
  expect_run "${folder}my logo@2x.gif" \
    "<img src=\"./my logo@2x.gif\" srcset=\"&s\" width=\"120\" height=\"60\" alt=\"\">" "$ready"
}
