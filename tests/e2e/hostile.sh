#!/usr/bin/env bash
# Hostile inputs through print mode and the settings file: each ends with its
# defined result, and none hangs (ctest's timeout would catch that). Usage:
# hostile.sh CASE. TAGSMIT: the installed program; SAMPLES: the folder with
# logo.gif (120 x 60) and photo.jpg (64 x 48); VERSION: the project's version.
set -uo pipefail

: "${SAMPLES:?folder of the sample images}" "${VERSION:?project version}"
. "$(dirname "$0")/lib.sh"
unset DISPLAY
# The version of settings written by a later release, which this one resets:
# the program's own version text (1.3.0 writes "130") and one.
newer=$((${VERSION//./} + 1))

unsuitable='ファイルが適切ではありません'
settings="$XDG_CONFIG_HOME/tagsmit/settings.json"

# The settings file as given, written byte for byte.
write_file() {
  mkdir -p "$XDG_CONFIG_HOME/tagsmit"
  printf '%s' "$1" >"$settings"
}
# Settings whose paste string shows the three values plainly.
plain='ClipStr=&f|&w|&h\n'

# Prints what print mode writes to standard output and standard error, and
# its exit status, each on lines of their own.
printed() {
  local out err status
  out=$("$TAGSMIT" --print "$1" 2>"$work/err")
  status=$?
  err=$(cat "$work/err")
  printf '%s|%s|%s' "$out" "$err" "$status"
}
expect_printed() {  # file, expected output, expected error message (without the file name)
  local error=""
  [ -n "$3" ] && error="$3"$'\n'"$1"
  expect_eq "print mode for $1" "$2|$error|$([ -n "$3" ] && echo 1 || echo 0)" "$(printed "$1")"
}

cd "$work" || fail "no work folder"
write_settings "$plain"
case "${1:-}" in
  special-files)
    mkfifo fifo.gif
    ln -s /dev/zero zero.jpg
    mkdir folder.jpg
    ln -s loop.gif loop.gif
    ln -s missing.gif dangling.gif
    for name in fifo.gif zero.jpg folder.jpg loop.gif; do
      expect_printed "$name" "" "$unsuitable"
    done
    expect_printed dangling.gif "" 'ファイルが存在しません'
    ;;
  prefixes)
    # Every cut of a real JPEG fails in a defined way until the frame header
    # is whole, and gives the size from then on.
    size=$(stat -c %s "$SAMPLES/photo.jpg")
    sized=0
    for ((length = 0; length <= size; length++)); do
      head -c "$length" "$SAMPLES/photo.jpg" >cut.jpg
      result=$(printed cut.jpg)
      case "$result" in
        "./cut.jpg|64|48||0") sized=1 ;;
        "|$unsuitable"$'\n'"cut.jpg|1" | "|jpg ファイルが変です"$'\n'"cut.jpg|1")
          [ "$sized" == 1 ] && fail "cut to $length bytes fails after a shorter cut succeeded"
          ;;
        *) fail "cut to $length bytes: $result" ;;
      esac
    done
    [ "$sized" == 1 ] || fail "the whole file gives no size"
    ;;
  large)
    # A gigabyte without a marker, with and without a frame header behind it
    # (sparse files: no disk space is used).
    frame='\xff\xc0\x00\x11\x08\x00\x30\x00\x40\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01'
    printf '\xff\xd8' >gap.jpg
    truncate -s $((1 << 30)) gap.jpg
    expect_printed gap.jpg "" "$unsuitable"
    printf "$frame" >>gap.jpg
    expect_printed gap.jpg "./gap.jpg|64|48" ""
    # 10,000 APP segments before the frame header.
    { printf '\xff\xd8'; printf '\xff\xe1\x00\x04AB%.0s' $(seq 10000); printf "$frame"; } >apps.jpg
    expect_printed apps.jpg "./apps.jpg|64|48" ""
    ;;
  names)
    for name in '.hidden.gif' 'a b.gif' 'q"uo"te.gif' $'line\nfeed.gif' $'\xff\xfe invalid.gif' \
      "$(printf 'x%.0s' $(seq 251)).gif"; do
      cp "$SAMPLES/logo.gif" "$name" || fail "cannot make $name"
      expect_printed "$name" "./$name|120|60" ""
    done
    ;;
  settings)
    cp "$SAMPLES/logo.gif" ok.gif
    tag='<IMG SRC="./ok.gif" WIDTH=120 HEIGHT=60 ALT="">'
    # Values of other types keep their places: FixedPath stays FixedPath, and
    # a version written as a number is that number.
    write_file '{"init": {"version": "115", "ClipStr": "&f|&w|&h\n", "ClipStrNo": 0,
      "NotyfyErr": false, "Test": null, "LowerCase": [], "RelativePath": 0, "FixedPath": "img/",
      "BasePath": "/srv/www"}}'
    expect_printed ok.gif "img/ok.gif|120|60" ""
    write_file "$(sed 's/"version": "115"/"version": 115/' "$settings")"
    expect_printed ok.gif "img/ok.gif|120|60" ""
    # Settings of another version are reset, and kept beside as they were.
    write_file "$(sed 's/"version": 115/"version": "'"$newer"'"/' "$settings")"
    before=$(cat "$settings")
    expect_printed ok.gif "$tag" ""
    expect_eq "settings kept beside" "$before" "$(cat "$settings".old-*)"
    grep -q '"init"' "$settings" && fail "the reset left its section"
    # Deep nesting in another section: the settings are read, and the reset's
    # rewrite stays about the size of the file.
    nest="$(printf '[%.0s' $(seq 20000))$(printf ']%.0s' $(seq 20000))"
    write_settings "$plain"
    json=$(cat "$settings")
    write_file "${json%\}}, \"other\": $nest}"
    expect_printed ok.gif "./ok.gif|120|60" ""
    write_file "$(sed 's/"version": "115"/"version": "'"$newer"'"/' "$settings")"
    expect_printed ok.gif "$tag" ""
    size=$(stat -c %s "$settings")
    [ "$size" -lt 50000 ] || fail "the rewrite grew to $size bytes"
    grep -qF -- "$nest" "$settings" || fail "the other section was not kept"
    ;;
  full-disk)
    # Twenty starts with outdated settings on a full disk each run with the
    # defaults and say once that the reset failed; no copy of the file piles
    # up beside it. The disk is a full tmpfs in a mount namespace of the
    # test's own; where none can be made, files limited in size fail alike.
    if [ -z "${2:-}" ]; then
      for namespace in "unshare -m" "unshare -rm"; do
        $namespace true 2>/dev/null && { $namespace bash "$0" full-disk tmpfs; exit; }
      done
      echo "no mount namespace: a limit on the size of files stands for the full disk"
    fi
    cp "$SAMPLES/logo.gif" ok.gif
    reason="File too large"
    if [ "${2:-}" == tmpfs ]; then
      mount -t tmpfs -o size=256k tmpfs "$settings_folder" || fail "cannot mount a tmpfs"
      trap 'umount "$settings_folder"; cleanup' EXIT
      reason="No space left on device"
    fi
    write_file "{\"init\": {\"version\": \"$newer\"}, \"other\": {\"k\": \"$(printf '%100000s')\"}}"
    if [ "${2:-}" == tmpfs ]; then
      cat /dev/zero >"$settings_folder/filler" 2>/dev/null
    else
      ulimit -S -f 64 # KiB, less than the file
      trap '' XFSZ
    fi
    told="設定を初期化できませんでした。"$'\n'"$(realpath "$settings")"$'\n'"$reason"
    for _ in $(seq 20); do
      expect_eq "a start on a full disk" "$(tag ./ok.gif 120 60)|$told|0" "$(printed ok.gif)"
    done
    copies=$(find "$settings_folder" -name 'settings.json.old-*' | wc -l)
    ((copies <= 1)) || fail "$copies copies of the settings file"
    ;;
  *)
    fail "unknown case: ${1:-}"
    ;;
esac
echo "PASS: $1"
