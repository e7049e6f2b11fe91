#!/usr/bin/env bash
# End-to-end tests of the installed program under an Xvfb of their own, with
# no clipboard manager running. Usage: e2e.sh CASE (see the cases below).
# TAGSMIT: the installed program; STAGE: the folder it is installed under;
# SAMPLES: the folder with logo.gif (120 x 60) and photo.jpg (64 x 48).
set -uo pipefail

: "${SAMPLES:?folder of the sample images}" "${STAGE:?folder of the installation}"
TEST_TITLE='Tagsmit  ｸﾘｯﾌﾟﾎﾞｰﾄﾞ内容'

. "$(dirname "$0")/lib.sh"

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
  no-qt)
    # A successful run without the test display loads no Qt library. A failure
    # with NotyfyErr 1 shows its box, which does, while the run waits, and
    # leaves the clipboard as it was.
    ldd "$TAGSMIT" | grep -q Qt6 && fail "the program links Qt"
    write_settings
    LD_DEBUG=files "$TAGSMIT" "$work/site/img/Logo.gif" 2>"$work/libs"
    expect_eq status 0 $?
    grep -q 'libxcb' "$work/libs" || fail "LD_DEBUG shows no libraries"
    grep 'Qt6' "$work/libs" && fail "a plain run loaded Qt"
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
    expect_eq "holder's descriptors" "/dev/null /dev/null /dev/null socket" \
      "$(for fd in "/proc/$holder/fd/"*; do readlink "$fd"; done | sed 's/:.*//' | sort | xargs)"
    # Started without standard descriptors, the run keeps its X connection.
    "$TAGSMIT" "$work/site/img/second.gif" <&- >&- 2>&-
    expect_eq "clipboard after a run without descriptors" "$(tag ./second.gif 120 60)" "$(clipboard)"
    ;;
  killed-caller)
    # A caller may end its process group as soon as the run returns (a closed
    # terminal, a task runner): the holder must have left it by then. strace
    # holds the holder's setsid back, so a run that returns too early loses
    # the text every time, not now and then.
    write_settings
    if ! strace -o /dev/null true 2>/dev/null; then
      echo "SKIP: strace cannot trace here"
      exit 77
    fi
    on_setsid=(strace -f -qq -o /dev/null -e trace=setsid -e)
    for file in Logo.gif second.gif; do
      { setsid -w "${on_setsid[@]}" inject=setsid:delay_enter=100ms \
          bash -c '"$0" "$1"; kill -KILL 0' "$TAGSMIT" "$work/site/img/$file"; } 2>/dev/null
      expect_eq "clipboard after $file" "$(tag "./$file" 120 60)" "$(clipboard)"
    done
    # A holder that dies before it has detached does not keep the run waiting.
    timeout 10 "${on_setsid[@]}" inject=setsid:signal=KILL "$TAGSMIT" "$work/site/img/Logo.gif" \
      2>/dev/null
    [ $? -eq 124 ] && fail "the run waited for a holder that had died"
    ;;
  launcher)
    # A launcher passes %F every dropped file in one command, %f one command
    # per file. Two dropped images must make one run, for the first of them.
    write_settings
    mkdir "$work/bin"
    printf '#!/bin/sh\necho >>"%s"\nexec "%s" "$@"\n' "$work/runs" "$TAGSMIT" >"$work/bin/tagsmit"
    chmod +x "$work/bin/tagsmit"
    read -ra exec_words <<<"$(sed -n 's/^Exec=//p' "$STAGE/share/applications/tagsmit.desktop")"
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
    ;;
  large)
    # A text too large for one X request goes out in INCR steps.
    big=$(head -c 300000 /dev/zero | tr '\0' 'x')
    expect_run "$work/site/img/Logo.gif" "$big./Logo.gif" "ClipStr=$big&f\n"
    ;;
  no-display)
    write_settings
    (unset DISPLAY && run_tagsmit "$work/site/img/Logo.gif" && expect_eq status 1 "$run_status") ||
      exit 1
    grep -q DISPLAY "$work/err" || fail "the failure is not named: $(cat "$work/err")"
    # A display that does not answer.
    (export DISPLAY=:$((RANDOM + 20000)) && run_tagsmit "$work/site/img/Logo.gif" &&
      expect_eq status 1 "$run_status") || exit 1
    grep -q 'cannot connect to the X display' "$work/err" || fail "unreachable display not named"
    ;;
  print)
    # No display needed; stdout carries the tag and one line feed.
    unset DISPLAY
    write_settings LowerCase=1
    out=$("$TAGSMIT" --print "$work/site/img/ÄÖ Ünï.GIF"; echo "|$?")
    expect_eq output "$(tag "./äö ünï.gif" 120 60)
|0" "$out"
    "$TAGSMIT" --print >/dev/null 2>&1
    expect_eq "status without FILE" 2 $?
    expect_eq version "Tagsmit 1.1.5" "$("$TAGSMIT" --version)"
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
