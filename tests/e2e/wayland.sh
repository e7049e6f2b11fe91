#!/usr/bin/env bash
# End-to-end tests in Wayland sessions. Each case starts one headless
# compositor with Xwayland, as an unprivileged user (sway refuses root) and
# with a runtime folder of its own, runs the installed program in that session
# and reads the clipboard with wl-paste (a native Wayland program) and xclip
# (an X11 program on the session's Xwayland). Usage: wayland.sh
# COMPOSITOR-CASE, COMPOSITOR one of sway, kwin, mutter (see the cases below).
# TAGSMIT, STAGE, SAMPLES as for e2e.sh.
set -uo pipefail

: "${SAMPLES:?folder of the sample images}" "${STAGE:?folder of the installation}"
compositor=${1%%-*}
here=$(cd "$(dirname "$0")" && pwd)

. "$here/lib.sh"

case $compositor in
  sway) compositor_program=sway ;;
  kwin) compositor_program=kwin_wayland ;;
  mutter) compositor_program=mutter ;;
  *) fail "no compositor named in ${1:-}" ;;
esac
for tool in "$compositor_program" Xwayland wl-copy wl-paste dbus-run-session; do
  command -v "$tool" >/dev/null && continue
  [ -n "${CI:-}" ] && fail "$tool is not installed"
  echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
  exit 77
done
compositor_exe=$(readlink -f "$(command -v "$compositor_program")")

# The session's user reaches the program, the images and the settings in the
# work folder, which it owns; the source tree may be closed to it.
cp -r "$STAGE" "$work/stage"
TAGSMIT=$work/stage/bin/tagsmit
mkdir "$work/bin"
cp "$here/session_ready.sh" "$here/mutter_keyboard.py" "$here/lsan.supp" "$work/bin/"
export LSAN_OPTIONS="suppressions=$work/bin/lsan.supp"
make_site
write_settings
session_dir=$work/session
mkdir -m 700 "$session_dir"
in_session=(env "XDG_RUNTIME_DIR=$session_dir")
if [ "$(id -u)" -eq 0 ]; then
  chown -R 65534:65534 "$work"
  in_session=(setpriv --reuid=65534 --regid=65534 --clear-groups -- "${in_session[@]}")
fi

# Every process of the session carries its runtime folder: the compositor,
# Xwayland, dbus-daemon, the clipboard clients and the holders.
session_pids() {
  grep -lzxF "XDG_RUNTIME_DIR=$session_dir" /proc/[0-9]*/environ 2>/dev/null | cut -d/ -f3
}
session_pids_of() {  # program: the session's processes that run it
  local pid
  for pid in $(session_pids); do
    [ "$(readlink "/proc/$pid/exe")" == "$1" ] && echo "$pid"
  done
}
# Ends them by their ids; a compositor may start Xwayland again as it goes.
end_session() {
  local round signal=TERM pids
  for round in $(seq 100); do
    pids=$(session_pids)
    [ -z "$pids" ] && return
    ((round > 20)) && signal=KILL
    kill -s "$signal" $pids 2>/dev/null
    sleep 0.05
  done
}
cleanup_steps+=(end_session)

# Starts the compositor; its start-up command writes the session's addresses,
# which every later client gets.
start_session() {
  local ready=("$work/bin/session_ready.sh" "$work/session.env")
  if [ "$compositor" == kwin ]; then
    # The packaged binary carries a file capability that a container may
    # refuse at exec; a copy has none, and keeps the name that KWin checks.
    cp "$compositor_exe" "$work/bin/kwin_wayland"
    compositor_exe=$work/bin/kwin_wayland
  fi
  case $compositor in
    sway)
      printf 'xwayland force\nexec %s\n' "${ready[*]}" >"$work/sway.conf"
      "${in_session[@]}" WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
        sway -c "$work/sway.conf"
      ;;
    kwin)
      "${in_session[@]}" dbus-run-session -- "$compositor_exe" --virtual --xwayland \
        --no-lockscreen --socket wayland-tagsmit --width 1024 --height 768 \
        --exit-with-session "${ready[*]}"
      ;;
    mutter)
      "${in_session[@]}" dbus-run-session -- mutter --headless --wayland \
        --wayland-display wayland-tagsmit --virtual-monitor 1024x768 -- "${ready[@]}"
      ;;
  esac >"$work/compositor.log" 2>&1 &
  eventually test -e "$work/session.env" || fail "$compositor did not start"
  local addresses
  mapfile -t addresses <"$work/session.env"
  in_session+=("${addresses[@]}")
  if [ "$compositor" == mutter ]; then
    # Debian's python3-gi belongs to the system's Python.
    "${in_session[@]}" /usr/bin/python3 "$work/bin/mutter_keyboard.py" "$work/keyboard" \
      2>>"$work/compositor.log" &
    eventually test -e "$work/keyboard" || fail "no keyboard joined Mutter's seat"
  fi
}

# wl-paste waits for ever on KWin when the clipboard is empty.
wayland_clipboard() { timeout 5 "${in_session[@]}" wl-paste --no-newline 2>/dev/null; }
wayland_clipboard_is() { [ "$(wayland_clipboard)" == "$1" ]; }
take_clipboard() {  # text: wl-copy sets it, as another program would
  timeout 5 "${in_session[@]}" wl-copy "$1" || fail "wl-copy failed"
  eventually wayland_clipboard_is "$1" || fail "wl-copy did not take the clipboard"
}
# X11 programs read while an X11 window is in front, as when the user pastes
# into one: sway and KWin pass the clipboard between Wayland and X11 only
# then. Wayland programs read first, before an X11 window has had the focus,
# so that a text held through X11 alone does not reach them.
reader_in_front() {
  [ "$("${in_session[@]}" xdotool getactivewindow getwindowname 2>/dev/null)" == "X11 reader" ]
}
expect_reads() {  # expected text, number of reads on each side
  local read reader
  # Mutter takes an X11 clipboard across to Wayland itself, a moment after the
  # selection changed hands: under load that moment may outlast the run.
  if [ "$compositor" == mutter ]; then eventually wayland_clipboard_is "$1" || true; fi
  for read in $(seq "$2"); do
    expect_eq "Wayland read $read" "$1" "$(wayland_clipboard)"
  done
  "${in_session[@]}" xev -name "X11 reader" >/dev/null 2>&1 &
  reader=$!
  eventually reader_in_front || fail "the X11 reader's window did not come to the front"
  for read in $(seq "$2"); do
    expect_eq "X11 read $read" "$1" "$(clipboard)"
  done
  kill "$reader"
  wait "$reader" 2>/dev/null
}
holders_are() { (($(session_pids_of "$TAGSMIT" | wc -l) == $1)); }
expect_holders() {  # count, when
  eventually holders_are "$1" ||
    fail "$(session_pids_of "$TAGSMIT" | wc -l) holders $2, expected $1"
}

start_session
case "${1#*-}" in
  clipboard)
    # The holder outlives the run, serves Wayland and X11 programs as often
    # as they ask, and ends when another program takes the clipboard.
    take_clipboard sentinel
    run_tagsmit "$work/site/img/ÄÖ Ünï.GIF"
    expect_eq status 0 "$run_status"
    expect_holders 1 "after the run"
    expect_reads "$(tag "./ÄÖ Ünï.GIF" 120 60)" 5
    take_clipboard other
    expect_holders 0 "after wl-copy took the clipboard"
    ;;
  killed-caller)
    # Nothing is lost when the caller's group dies as the run returns; a
    # second run's holder replaces the first; holders end with the session.
    take_clipboard sentinel
    for file in Logo.gif second.gif; do
      run_killed_caller "$work/site/img/$file"
      expect_reads "$(tag "./$file" 120 60)" 1
    done
    expect_holders 1 "after two runs"
    # Killed, as KWin may take seconds to end on TERM.
    kill -KILL $(session_pids_of "$compositor_exe")
    expect_holders 0 "after the compositor ended"
    ;;
  concurrent)
    # Runs eight at a time, each replaced by a newer copy during or after its
    # own: each ends 0 without a box, and after every round one holder serves
    # one text, the same to Wayland and X11 readers. ROUNDS rounds (3 unless
    # given).
    for run in {1..8}; do cp "$work/site/img/Logo.gif" "$work/site/img/run$run.gif"; done
    for round in $(seq "${ROUNDS:-3}"); do
      pids=()
      for run in {1..8}; do
        timeout 20 "${in_session[@]}" "$TAGSMIT" "$work/site/img/run$run.gif" \
          >"$work/out$run" 2>&1 &
        pids+=($!)
      done
      for run in {1..8}; do
        wait "${pids[run - 1]}" || fail "round $round: run $run ended $?: $(cat "$work/out$run")"
      done
      expect_holders 1 "after round $round"
      text=$(wayland_clipboard)
      [[ $text == "<IMG SRC=\"./run"[1-8]".gif\" WIDTH=120 HEIGHT=60 ALT=\"\">" ]] ||
        fail "round $round: the clipboard holds '$text'"
      expect_reads "$text" 1
    done
    ;;
  several)
    # Several files at once in a Wayland session: their lines, in natural
    # order of the names, reach Wayland and X11 programs as one text.
    write_settings MoreFormats=0 DisplaySize=0 DensitySize=0 SrcSet=0 SeveralFiles=1
    for n in 10 2; do cp "$SAMPLES/logo.gif" "$work/site/img/img$n.gif"; done
    take_clipboard sentinel
    run_tagsmit "$work/site/img/img10.gif" "$work/site/img/ÄÖ Ünï.GIF" "$work/site/img/img2.gif"
    expect_eq status 0 "$run_status"
    lines=("$(tag ./img2.gif 120 60)" "$(tag ./img10.gif 120 60)" "$(tag "./ÄÖ Ünï.GIF" 120 60)")
    expect_reads "$(printf '%s\n' "${lines[@]}")" 1
    ;;
  window)
    # The settings window is a native Wayland window with Qt's Wayland
    # platform; closing it from the compositor cancels.
    [ "$compositor" == sway ] || fail "the window case needs swaymsg"
    take_clipboard sentinel
    settings=$(cat "$settings_folder/settings.json")
    QT_QPA_PLATFORM=wayland start_tagsmit
    window='[shell="xdg_shell" title="^Tagsmit 設定$"]'
    eventually "${in_session[@]}" swaymsg -q "$window focus" 2>/dev/null ||
      fail "no settings window; sway's tree holds" \
        "$("${in_session[@]}" swaymsg -t get_tree | grep -E '"(name|shell)"' | tr -s ' \n' ' ')"
    "${in_session[@]}" swaymsg -q "$window kill" || fail "swaymsg could not close the window"
    wait_tagsmit
    expect_eq status 0 "$run_status"
    expect_eq settings "$settings" "$(cat "$settings_folder/settings.json")"
    expect_eq clipboard sentinel "$(wayland_clipboard)"
    ;;
  *)
    fail "unknown case: ${1:-}"
    ;;
esac
echo "PASS: $1"
