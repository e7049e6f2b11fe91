#!/usr/bin/env bash
# Takes the screenshots of the settings window, its confirmation box, the
# directory picker and the About window shown in the README, under an Xvfb of its own with the Noto CJK
# fonts. Not a test. Needs ImageMagick's import besides the test tools.
# Usage: TAGSMIT=build/debug/bin/tagsmit scripts/settings-screenshots.sh docs/screenshots
set -euo pipefail

: "${TAGSMIT:?path of the tagsmit program}"
TAGSMIT=$(realpath "$TAGSMIT")  # the program starts in another folder
out=$(realpath "${1:?folder for the PNG files}")
demo=/tmp/tagsmit-demo  # a short path, as it shows in the windows
[ -e "$demo" ] && { echo "$demo is in the way" >&2; exit 1; }

xvfb_pid=""
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$demo"
}
trap cleanup EXIT

mkdir -p "$demo/site/css" "$demo/site/img" "$demo/site/js" "$demo/config/tagsmit" "$demo/runtime"
chmod 700 "$demo/runtime"
export XDG_CONFIG_HOME="$demo/config" XDG_RUNTIME_DIR="$demo/runtime" LANG=C.UTF-8
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
# Settings as the program writes them, the three newest switches on so that
# each shows checked, and the user guide's srcset string selected.
version=$("$TAGSMIT" --version | tr -dc 0-9)
cat >"$XDG_CONFIG_HOME/tagsmit/settings.json" <<JSON
{"init": {"version": "$version",
  "ClipStr": " WIDTH=&w HEIGHT=&h\n&f\" WIDTH=&w HEIGHT=&h>\n<IMG SRC=\"&f\" WIDTH=&w HEIGHT=&h ALT=\"\">\n<img src=\"&f\" srcset=\"&s\" width=\"&w\" height=\"&h\" alt=\"\">\n",
  "ClipStrNo": "0", "NotyfyErr": "1", "Test": "0", "LowerCase": "1", "RelativePath": "255",
  "FixedPath": "./", "BasePath": "$demo/site", "MoreFormats": "1", "DisplaySize": "0",
  "DensitySize": "1", "SrcSet": "1", "SeveralFiles": "1"}}
JSON

Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 800x600x24 3>"$demo/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 200); do [ -s "$demo/display" ] && break; sleep 0.025; done
export DISPLAY=":$(cat "$demo/display")"

window() {  # name: waits for the visible window and prints its id
  for _ in $(seq 400); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
    [ -n "$id" ] && { echo "$id"; return; }
    sleep 0.025
  done
  echo "no window $1" >&2
  exit 1
}
gone() {  # name: waits until no visible window has it
  for _ in $(seq 400); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
    sleep 0.025
  done
  echo "window $1 stayed" >&2
  exit 1
}
shoot() {  # window id, file
  xdotool mousemove 0 0  # off the window, so that no tooltip covers it
  sleep 0.5  # let the window paint
  import -window "$1" "$out/$2"
}
press() {  # window id, key
  xdotool windowfocus --sync "$1" 2>/dev/null || true
  xdotool key --clearmodifiers "$2"
}
# Clicks the centre of a place given in twips, at the 96 dpi of the Xvfb.
click() {  # window id, left, top, width, height
  xdotool mousemove --window "$1" $((($2 + $4 / 2) / 15)) $((($3 + $5 / 2) / 15)) click 1
}

mkdir -p "$out"
(cd "$demo" && "$TAGSMIT" &)
settings=$(window 'Tagsmit 設定')
shoot "$settings" settings-window.png
press "$settings" Return  # OK asks first
box=$(window 'Tagsmit')
shoot "$box" confirm-box.png
press "$box" n  # No, by its key: the window stays
gone 'Tagsmit'
click "$settings" 1560 1800 855 255  # btnRef
picker=$(window '基準ﾊﾟｽを設定してください')
shoot "$picker" directory-picker.png
press "$picker" Escape
gone '基準ﾊﾟｽを設定してください'
click "$settings" 2940 3000 375 375  # btnVer
about=$(window 'Tagsmitのﾊﾞｰｼﾞｮﾝ情報')
shoot "$about" about-window.png
press "$about" Escape
gone 'Tagsmitのﾊﾞｰｼﾞｮﾝ情報'
press "$settings" Escape
echo "screenshots in $out"
