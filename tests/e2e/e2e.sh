#!/usr/bin/env bash
# End-to-end tests of the installed program under an Xvfb of their own, with
# no clipboard manager running. Usage: e2e.sh CASE (see the cases below).
# TAGSMIT: the installed program; STAGE: the folder it is installed under;
# SAMPLES: the folder with logo.gif (120 x 60) and photo.jpg (64 x 48); VERSION:
# the project's version, which --version and the manual page name.
set -uo pipefail

: "${SAMPLES:?folder of the sample images}" "${STAGE:?folder of the installation}"
TEST_TITLE='Tagsmit  ｸﾘｯﾌﾟﾎﾞｰﾄﾞ内容'

. "$(dirname "$0")/lib.sh"

# Where the descriptors of process $1 lead, sorted, without inode numbers.
descriptors() { for fd in "/proc/$1/fd/"*; do readlink "$fd"; done | sed 's/:.*//' | sort | xargs; }

# Starts the fake X server with the arguments given; sets fake_display. A
# relay lists in $work/fake each connection and each Bell request: counted.
counted() { grep -c "^$1\$" "$work/fake"; }
start_fake_x() {
  rm -f "$work/fake"
  "$FAKE_X_SERVER" "$@" >"$work/fake" &
  helper_pids+=($!)
  eventually [ -s "$work/fake" ]
  fake_display=$(head -1 "$work/fake")
  [ -n "$fake_display" ] || fail "the fake X server did not start"
}

# Starts a Wayland display wayland-fake that never answers (silent) or closes
# each connection at once (hang-up), and counts its connections in
# $work/wayland-connections. The helpers here use Debian's Python: one that
# PATH may put first (a version manager's shim) can take seconds to start.
start_fake_wayland() {  # silent | hang-up
  local socket=$XDG_RUNTIME_DIR/wayland-fake
  rm -f "$socket" "$work/wayland-connections"
  /usr/bin/python3 -c '
import socket, sys
mode, path, count = sys.argv[1:]
server = socket.socket(socket.AF_UNIX)
server.bind(path)
server.listen(16)
kept = []
while True:
    client = server.accept()[0]
    kept.append(client) if mode == "silent" else client.close()
    with open(count, "a") as counted:
        counted.write("+")
' "$1" "$socket" "$work/wayland-connections" &
  helper_pids+=($!)
  eventually [ -S "$socket" ] || fail "the fake Wayland display did not start"
}
wayland_connections() { cat "$work/wayland-connections" 2>/dev/null | wc -c; }

make_site
start_xvfb  # the cases without a display unset DISPLAY

case "${1:-}" in
  fixed)
    expect_run "$work/site/img/Logo.gif" "$(tag ./Logo.gif 120 60)"
    (cd "$work/site/img" && expect_run "a photo.jpg" 'images/a photo.jpg|64|48' \
      FixedPath=images/ 'ClipStr=&f|&w|&h\n') || exit 1
    expect_run "$work/site/img/ÄÖ Ünï.GIF" "$(tag "img/äö ünï.gif" 120 60)" LowerCase=1 FixedPath=IMG/
    ;;
  relative)
    expect_run "$work/site/img/a photo.jpg" "$(tag "../img/a photo.jpg" 64 48)" \
      RelativePath=255 "BasePath=$work/site/doc"
    # A relative name is taken from the current directory.
    (cd "$work/site/doc" && expect_run ../img/Logo.gif "$(tag ./img/Logo.gif 120 60)" \
      RelativePath=255 "BasePath=$work/site") || exit 1
    expect_run "$work/site/img/ÄÖ Ünï.GIF" "$(tag "../img/äö ünï.gif" 120 60)" \
      LowerCase=1 RelativePath=255 "BasePath=$work/site/doc"
    ;;
  formats)
    expect_formats "$work/site/img/"
    ;;
  densities)
    expect_densities "$work/site/img/"
    ;;
  test-display)
    write_settings Test=1
    start_tagsmit "$work/site/img/Logo.gif"
    window=$(wait_window "$TEST_TITLE") || fail "no test display"
    kill -0 "$run_pid" 2>/dev/null || fail "tagsmit ended before the test display closed"
    expect_eq clipboard "$(tag ./Logo.gif 120 60)" "$(clipboard)"
    press "$window" Return
    wait_tagsmit
    expect_eq status 0 "$run_status"
    ;;
  one-connection)
    # A run makes one X connection, which the clipboard holder takes over and
    # rings the bell on once the text is on the clipboard. With the test
    # display the bell comes after the box has closed.
    start_fake_x "${DISPLAY#:}" 0
    write_settings
    (export DISPLAY=$fake_display && run_tagsmit "$work/site/img/Logo.gif" &&
      expect_eq status 0 "$run_status") || exit 1
    expect_eq clipboard "$(tag ./Logo.gif 120 60)" "$(clipboard)"
    eventually [ "$(counted bell)" == 1 ] || fail "bells of a run: $(counted bell)"
    expect_eq "X connections of a run" 1 "$(counted connection)"
    start_fake_x "${DISPLAY#:}" 0
    write_settings Test=1
    # The relay passes no descriptors, which Qt's shared-memory images need.
    real_display=$DISPLAY
    export DISPLAY=$fake_display QT_XCB_NO_MITSHM=1
    start_tagsmit "$work/site/img/Logo.gif"
    export DISPLAY=$real_display
    window=$(wait_window "$TEST_TITLE") || fail "no test display"
    expect_eq "bells while the test display shows" 0 "$(counted bell)"
    press "$window" Return
    wait_tagsmit
    expect_eq status 0 "$run_status"
    eventually [ "$(counted bell)" == 1 ] || fail "bells after the test display: $(counted bell)"
    ;;
  display-dies)
    # The X server goes away while a run with the test display goes on: as
    # each connection of the run comes (the run's own, the clipboard read
    # back, the check before the window, Qt's), and on Qt's after every 2,000
    # bytes of its start. Each time the run ends with exit status 1 and a
    # message, never with a signal.
    write_settings Test=1
    for death in 1 2 3 "4 "{0..40000..2000}; do
      read -r connection bytes <<<"$death"
      when="the server dies at connection $connection${bytes:+ after $bytes bytes}"
      start_fake_x "${DISPLAY#:}" "$connection" $bytes
      (export DISPLAY=$fake_display && run_tagsmit "$work/site/img/Logo.gif" &&
        expect_eq "status when $when" 1 "$run_status") || exit 1
      [ -s "$work/err" ] || fail "no message when $when"
      # From the check before the window on, the test display's text is told.
      ((connection < 3)) || grep -qF "$(tag ./Logo.gif 120 60)" "$work/err" ||
        fail "the test display's text is not told when $when"
    done
    # The server dies as the run takes the clipboard, once its own connection
    # is set up and has read the Shift state: no box can show the failure,
    # which goes to standard error with its reason.
    write_settings
    setup=$(/usr/bin/python3 -c '
import os, socket, struct
x = socket.socket(socket.AF_UNIX)
x.connect("\0/tmp/.X11-unix/X" + os.environ["DISPLAY"][1:])
x.sendall(b"l\0\x0b\0\0\0\0\0\0\0\0\0")
print(8 + 4 * struct.unpack("<H", x.recv(8)[6:8])[0])')
    start_fake_x "${DISPLAY#:}" 1 $((setup + 32 + 8))
    (export DISPLAY=$fake_display && run_tagsmit "$work/site/img/Logo.gif" &&
      expect_eq "status when the server dies during the clipboard" 1 "$run_status") || exit 1
    grep -q '^クリップボードを使えません。$' "$work/err" || fail "the clipboard failure is not told"
    ;;
  no-qt)
    # A successful run without the test display loads no Qt library, and
    # outside a Wayland session no Wayland library. A failure with NotyfyErr 1
    # shows its box, which loads Qt but no Wayland library, while the run
    # waits, and leaves the clipboard as it was.
    ldd "$TAGSMIT" | grep -E 'Qt6|libwayland' && fail "the program links Qt or Wayland"
    write_settings
    LD_DEBUG=files "$TAGSMIT" "$work/site/img/Logo.gif" 2>"$work/libs"
    expect_eq status 0 $?
    grep -q 'libc\.so' "$work/libs" || fail "LD_DEBUG shows no libraries"
    grep -E 'Qt6|libwayland' "$work/libs" && fail "a plain run loaded Qt or Wayland"
    write_settings NotyfyErr=1
    set_sentinel
    LD_DEBUG=files "$TAGSMIT" "$work/site/img/missing.gif" 2>"$work/libs" &
    run_pid=$!
    window=$(wait_window Tagsmit) || fail "no window titled Tagsmit"
    press "$window" Return
    wait_tagsmit
    expect_eq status 1 "$run_status"
    expect_eq clipboard sentinel "$(clipboard)"
    grep -q 'libQt6Widgets' "$work/libs" || fail "the box did not load Qt"
    grep -E 'libwayland|tagsmit-wayland' "$work/libs" && fail "a box on X11 loaded Wayland"
    ;;
  second-run)
    write_settings
    run_tagsmit "$work/site/img/Logo.gif"
    first=$(pgrep -f -- "^$TAGSMIT $work/site/img/Logo.gif\$") || fail "no holder after the first run"
    run_tagsmit "$work/site/img/second.gif"
    expect_eq clipboard "$(tag ./second.gif 120 60)" "$(clipboard)"
    for _ in $(seq 200); do kill -0 "$first" 2>/dev/null || break; sleep 0.025; done
    kill -0 "$first" 2>/dev/null && fail "the first holder is still running"
    pgrep -f -- "^$TAGSMIT $work/site/img/second.gif\$" >/dev/null || fail "no second holder"
    # Another client taking the clipboard ends the holder too.
    set_sentinel
    for _ in $(seq 200); do pgrep -f -- "$work/site/img/second.gif" >/dev/null || break; sleep 0.025; done
    pgrep -f -- "$work/site/img/second.gif" >/dev/null && fail "the holder outlived the selection"
    ;;
  holder)
    # The holder keeps nothing of its caller busy: not the folder it was started
    # from (a drive would not unmount), nor the caller's output or terminal.
    write_settings
    out=$(cd "$work/site/img" && "$TAGSMIT" Logo.gif 2>&1; echo "|$?")
    expect_eq "output and status" "|0" "$out"
    holder=$(pgrep -f -- "^$TAGSMIT Logo.gif\$") || fail "no holder"
    expect_eq "holder's folder" / "$(readlink "/proc/$holder/cwd")"
    expect_eq "holder's descriptors" "/dev/null /dev/null /dev/null socket" "$(descriptors "$holder")"
    # Started without standard descriptors, the run keeps its X connection.
    "$TAGSMIT" "$work/site/img/second.gif" <&- >&- 2>&-
    expect_eq "clipboard after a run without descriptors" "$(tag ./second.gif 120 60)" "$(clipboard)"
    ;;
  killed-caller)
    write_settings
    for file in Logo.gif second.gif; do
      run_killed_caller "$work/site/img/$file"
      expect_eq "clipboard after $file" "$(tag "./$file" 120 60)" "$(clipboard)"
    done
    # A holder that dies before it has detached does not keep the run waiting.
    timeout 10 "${on_setsid[@]}" inject=setsid:signal=KILL "$TAGSMIT" "$work/site/img/Logo.gif" \
      2>/dev/null
    [ $? -eq 124 ] && fail "the run waited for a holder that had died"
    ;;
  close-range)
    # Without close_range (older kernels, seccomp profiles that predate it)
    # the holder closes its descriptors one by one, an inherited one too: the
    # run still returns at once. Under ASan the stand-in comes before ASan's
    # runtime: ASan is told to accept that.
    write_settings
    for error in ENOSYS EPERM; do
      TAGSMIT_CLOSE_RANGE_ERROR=$error LD_PRELOAD=$FAILING_CLOSE_RANGE \
        ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0" \
        run_tagsmit "$work/site/img/Logo.gif" 7>"$work/inherited"
      expect_eq "status without close_range ($error)" 0 "$run_status"
      expect_eq "clipboard without close_range ($error)" "$(tag ./Logo.gif 120 60)" "$(clipboard)"
      holder=$(pgrep -f -- "^$TAGSMIT $work/site/img/Logo.gif\$") || fail "no holder"
      expect_eq "holder's descriptors ($error)" "/dev/null /dev/null /dev/null socket" \
        "$(descriptors "$holder")"
      set_sentinel
    done
    ;;
  concurrent)
    # Runs 8 at a time, 50 times over, each for a file of its own: none fails,
    # after each round the clipboard holds the text of one of its runs, and
    # in the end one holder is left.
    write_settings 'ClipStr=&f\n'
    for round in $(seq 50); do
      runs=()
      for i in $(seq 8); do
        ln -f "$work/site/img/Logo.gif" "$work/site/img/$round-$i.gif"
        "$TAGSMIT" "$work/site/img/$round-$i.gif" 2>>"$work/err" &
        runs+=($!)
      done
      for run in "${runs[@]}"; do wait "$run" || fail "a run of round $round failed"; done
      held=$(clipboard)
      [[ $held == "./$round-"[1-8].gif ]] || fail "round $round: the clipboard holds [$held]"
    done
    holders() { pgrep -fc -- "^$TAGSMIT $work/site/img/"; }
    one_holder() { [ "$(holders)" == 1 ]; }
    eventually one_holder
    expect_eq "holders left" 1 "$(holders)"
    ;;
  launcher)
    # A launcher passes %F every dropped file in one command, %f one command
    # per file. Two dropped images must make one run, for the first of them.
    # Its action 設定 opens the settings window, where Shift cannot (Wayland).
    desktop="$STAGE/share/applications/tagsmit.desktop"
    desktop-file-validate "$desktop" || fail "the desktop entry is not valid"
    entry_key() { sed -n "/^\[$1\]/,/^\[/ s/^$2=//p" "$desktop"; }  # group, key
    write_settings
    mkdir "$work/bin"
    printf '#!/bin/sh\necho >>"%s"\nexec "%s" "$@"\n' "$work/runs" "$TAGSMIT" >"$work/bin/tagsmit"
    chmod +x "$work/bin/tagsmit"
    read -ra exec_words <<<"$(entry_key 'Desktop Entry' Exec)"
    launched=()
    launch() {  # files: starts the desktop entry's command for them
      local word command=()
      for word in "${exec_words[@]}"; do
        case $word in %[fF]) command+=("$@") ;; %?) ;; *) command+=("$word") ;; esac
      done
      PATH="$work/bin:$PATH" "${command[@]}" 2>>"$work/err" &
      launched+=($!)
    }
    dropped=("$work/site/img/Logo.gif" "$work/site/img/a photo.jpg")
    case " ${exec_words[*]} " in
      *' %F '*) launch "${dropped[@]}" ;;
      *' %f '*) for file in "${dropped[@]}"; do launch "$file"; done ;;
      *) fail "the desktop entry takes no files: ${exec_words[*]}" ;;
    esac
    wait "${launched[@]}"
    expect_eq runs 1 "$(wc -l <"$work/runs")"
    expect_eq clipboard "$(tag ./Logo.gif 120 60)" "$(clipboard)"
    expect_eq actions 'settings;' "$(entry_key 'Desktop Entry' Actions)"
    expect_eq "action's name" 設定 "$(entry_key 'Desktop Action settings' Name)"
    read -ra exec_words <<<"$(entry_key 'Desktop Action settings' Exec)"
    launch
    run_pid=${launched[-1]}
    window=$(wait_window 'Tagsmit 設定') || fail "the action 設定 opened no settings window"
    press "$window" Escape
    wait_tagsmit
    expect_eq "status after 設定" 0 "$run_status"
    ;;
  large)
    # A text too large for one X request goes out in INCR steps.
    big=$(head -c 300000 /dev/zero | tr '\0' 'x')
    expect_run "$work/site/img/Logo.gif" "$big./Logo.gif" "ClipStr=$big&f\n"
    ;;
  stalled-readers)
    # Readers that ask for a large text and never read it, 200 at a time,
    # three times over, each time going away after: the holder's memory stays
    # bounded, and a reader meanwhile gets the whole text.
    big=$(head -c 600000 /dev/zero | tr '\0' 'x')
    expect_run "$work/site/img/Logo.gif" "$big./Logo.gif" "ClipStr=$big&f\n"
    holder=$(pgrep -f -- "^$TAGSMIT $work/site/img/Logo.gif\$") || fail "no holder"
    rss() { awk '/^VmRSS/ { print $2 }' "/proc/$holder/status"; }
    start_rss=$(rss)
    mkfifo "$work/hold"
    for round in 1 2 3; do
      "$STALLED_READER" 200 <"$work/hold" >"$work/asked$round" &
      exec 8>"$work/hold"
      for _ in $(seq 400); do [ -s "$work/asked$round" ] && break; sleep 0.025; done
      expect_eq "requests granted in round $round" 200 "$(cat "$work/asked$round")"
      growth=$(($(rss) - start_rss))
      ((growth < 10000)) || fail "round $round: the holder grew by $growth kB"
      expect_eq "text read in round $round" "$big./Logo.gif" "$(clipboard)"
      exec 8>&-
      wait $!
    done
    ;;
  slow-reader)
    # A reader that takes a large text slowly gets every byte while 40
    # requests that never read arrive at once: they make room among themselves.
    big=$(head -c 600000 /dev/zero | tr '\0' 'x')
    expect_run "$work/site/img/Logo.gif" "$big./Logo.gif" "ClipStr=$big&f\n"
    "$STALLED_READER" slow 300 >"$work/slow" 2>"$work/slow-steps" &
    slow=$!
    eventually [ -s "$work/slow-steps" ] || fail "the slow reader got no first step"
    mkfifo "$work/hold"
    "$STALLED_READER" 40 <"$work/hold" >"$work/asked" &
    stalled=$!
    exec 8>"$work/hold"
    eventually [ -s "$work/asked" ] || fail "the 40 requests were not answered"
    wait "$slow" || fail "the slow reader was cut off after $(wc -c <"$work/slow") bytes"
    expect_eq "slow reader's text" "$big./Logo.gif" "$(cat "$work/slow")"
    exec 8>&-
    wait "$stalled"
    ;;
  holder-memory)
    # The holder keeps no more than the text, and a second (Latin-1) form
    # once a reader asks for STRING, beyond what it keeps for a short text.
    # AddressSanitizer's allocator keeps freed memory aside on purpose.
    [ -z "${SANITIZED:-}" ] || { echo "SKIP: memory is not measured under the sanitizers"; exit 77; }
    peak() { awk '/^VmHWM/ { print $2 }' "/proc/$1/status"; }
    holder() { pgrep -f -- "^$TAGSMIT $work/site/img/$1\$"; }
    cp "$work/site/img/Logo.gif" "$work/site/img/big.gif"
    expect_run "$work/site/img/Logo.gif" "$(tag ./Logo.gif 120 60)"
    short_peak=$(peak "$(holder Logo.gif)")
    big=$(head -c 4000000 /dev/zero | tr '\0' 'x')
    write_settings "ClipStr=$big&f\n"
    run_tagsmit "$work/site/img/big.gif"
    expect_eq status 0 "$run_status"
    expect_eq "text read as STRING" 4000009 "$(xclip -o -selection clipboard -t STRING | wc -c)"
    growth=$(($(peak "$(holder big.gif)") - short_peak))
    ((growth <= 2 * 3907 + 1024)) || fail "the holder's peak grew by $growth kB for a 3,907 kB text"
    ;;
  no-display)
    write_settings
    (unset DISPLAY && run_tagsmit "$work/site/img/Logo.gif" && expect_eq status 1 "$run_status") ||
      exit 1
    grep -q DISPLAY "$work/err" || fail "the failure is not named: $(cat "$work/err")"
    # A display that nobody listens on.
    (export DISPLAY=:$((RANDOM + 20000)) && run_tagsmit "$work/site/img/Logo.gif" &&
      expect_eq status 1 "$run_status") || exit 1
    grep -q 'cannot connect to the X display' "$work/err" || fail "unreachable display not named"
    # Nor a Wayland display (a session gone, its variable left): the box that
    # names the failure cannot show either, and says so on standard error.
    (unset DISPLAY && export WAYLAND_DISPLAY=gone && run_tagsmit "$work/site/img/Logo.gif" &&
      expect_eq status 1 "$run_status") || exit 1
    grep -q 'Wayland' "$work/err" || fail "unreachable Wayland display not named"
    # A display that accepts and never answers: the run gives up after a few
    # seconds (within patience); print mode needs no display.
    start_fake_x
    (export DISPLAY=$fake_display && run_tagsmit "$work/site/img/Logo.gif" &&
      expect_eq status 1 "$run_status") || exit 1
    grep -q "the X display \"$fake_display\" does not answer" "$work/err" ||
      fail "silent display not named: $(cat "$work/err")"
    # The same for a caller that leaves the alarm signal blocked.
    (export DISPLAY=$fake_display &&
      in_session=(/usr/bin/python3 -c 'import os, signal, sys
signal.pthread_sigmask(signal.SIG_BLOCK, [signal.SIGALRM])
os.execv(sys.argv[1], sys.argv[1:])') && run_tagsmit "$work/site/img/Logo.gif" &&
      expect_eq "status with the alarm blocked" 1 "$run_status") || exit 1
    grep -q "does not answer" "$work/err" || fail "silent display not named, alarm blocked"
    expect_eq "print mode with a silent display" "$(tag ./Logo.gif 120 60)" \
      "$(DISPLAY=$fake_display "$TAGSMIT" --print "$work/site/img/Logo.gif")"
    ;;
  x-authority)
    # A display that lets in only the holders of its cookie, as a desktop's
    # does: the run finds the cookie through XAUTHORITY, and fails without.
    export XAUTHORITY=$work/xauthority
    number=$((RANDOM % 1000 + 3000))
    while [ -e "/tmp/.X$number-lock" ]; do number=$((number + 1)); done
    xauth -f "$XAUTHORITY" add ":$number" MIT-MAGIC-COOKIE-1 "$(mcookie)" 2>/dev/null ||
      fail "xauth failed"
    Xvfb ":$number" -auth "$XAUTHORITY" -nolisten tcp -noreset 2>/dev/null &
    helper_pids+=($!)
    export DISPLAY=:$number
    eventually xdpyinfo >/dev/null 2>&1 || fail "the Xvfb with a cookie did not start"
    expect_run "$work/site/img/Logo.gif" "$(tag ./Logo.gif 120 60)"
    (export XAUTHORITY=/dev/null && run_tagsmit "$work/site/img/second.gif" &&
      expect_eq "status without the cookie" 1 "$run_status") || exit 1
    grep -q "cannot connect to the X display \":$number\"" "$work/err" ||
      fail "the refusal is not told"
    ;;
  wayland-socket)
    # A Wayland display that never answers or hangs up at once, beside a
    # working X display: the settings window shows on X, and neither the run
    # nor Qt goes back to the compositor that failed.
    export XDG_SESSION_TYPE=wayland WAYLAND_DISPLAY=wayland-fake
    write_settings
    for mode in silent hang-up; do
      start_fake_wayland $mode
      start_tagsmit
      window=$(wait_window 'Tagsmit 設定') || fail "no settings window beside a $mode compositor"
      press "$window" Escape
      wait_tagsmit
      expect_eq "status beside a $mode compositor" 0 "$run_status"
      expect_eq "connections to the $mode compositor" 1 "$(wayland_connections)"
      kill "${helper_pids[-1]}"
    done
    # Nor an X display: the clipboard failure is told after one bounded wait.
    start_fake_wayland silent
    (unset DISPLAY && patience=15 && run_tagsmit "$work/site/img/Logo.gif" &&
      expect_eq status 1 "$run_status") || exit 1
    expect_eq "connections to the silent compositor, no X display" 1 "$(wayland_connections)"
    grep -q '^クリップボードを使えません。$' "$work/err" || fail "the clipboard failure is not told"
    grep -q 'the Wayland compositor does not answer' "$work/err" || fail "the reason is not told"
    ;;
  print)
    # No display needed; stdout carries the tag and one line feed.
    unset DISPLAY
    write_settings LowerCase=1
    out=$("$TAGSMIT" --print "$work/site/img/ÄÖ Ünï.GIF"; echo "|$?")
    expect_eq output "$(tag "./äö ünï.gif" 120 60)
|0" "$out"
    # Text that cannot be written is a failure, told on standard error.
    "$TAGSMIT" --print "$SAMPLES/logo.gif" >&- 2>"$work/err"
    expect_eq "status, output closed" "1 tagsmit: cannot write the text: Bad file descriptor" \
      "$? $(cat "$work/err")"
    "$TAGSMIT" --print "$SAMPLES/logo.gif" >/dev/full 2>"$work/err"
    expect_eq "status, output full" "1 tagsmit: cannot write the text: No space left on device" \
      "$? $(cat "$work/err")"
    "$TAGSMIT" --print >/dev/null 2>&1
    expect_eq "status without FILE" 2 $?
    expect_eq version "Tagsmit $VERSION" "$("$TAGSMIT" --version)"
    expect_eq "manual page version" ".TH TAGSMIT 1 \"2026\" \"Tagsmit $VERSION\" \"User Commands\"" \
      "$(gzip -dc "$STAGE/share/man/man1/tagsmit.1.gz" | head -1)"
    "$TAGSMIT" --help | grep -q -- '--print FILE' || fail "--help"
    ;;
  license)
    # The package carries LICENSE as a Debian machine-readable copyright file.
    copyright="$STAGE/share/doc/tagsmit/copyright"
    [ -f "$copyright" ] || fail "no $copyright"
    expect_eq format 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
      "$(head -1 "$copyright")"
    expect_eq "license text" "$(sed -n '/^Permission/,$p' "$(dirname "$0")/../../LICENSE")" \
      "$(sed -n '/^ Permission/,$ { s/^ //; s/^\.$//; p }' "$copyright")"
    ;;
  *)
    fail "unknown case: ${1:-}"
    ;;
esac
echo "PASS: $1"
