# Shared by the end-to-end scripts: a work folder, an Xvfb of the test's own,
# and running the installed program. TAGSMIT: the installed program.
set -uo pipefail

: "${TAGSMIT:?path of the installed tagsmit}"

work=$(mktemp -d)
xvfb_pid=""
run_pid=""
cleanup() {
  # Holders end by themselves when their X server goes away.
  [ -n "$xvfb_pid" ] && xdotool keyup shift 2>/dev/null
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
clipboard() { timeout 5 xclip -o -selection clipboard 2>/dev/null; }
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
  "$TAGSMIT" "$@" >"$work/out" 2>"$work/err" &
  run_pid=$!
}
# Waits for the background run; sets run_status. Fails after 10 s.
wait_tagsmit() {
  for _ in $(seq 400); do
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
# Prints the id of the visible window of exactly that name once it is shown
# while tagsmit runs; returns 1 when none comes.
wait_window() {
  local id
  for _ in $(seq 400); do
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
