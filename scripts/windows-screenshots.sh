#!/usr/bin/env bash
# Takes the screenshots of Tagsmit.exe's settings window, its confirmation
# box, directory picker and About window under Wine, on an Xvfb of its own. Not a test. Needs
# ImageMagick's import besides the test tools. The Wine prefix is the
# end-to-end tests' one of the same build unless WINEPREFIX names another; it
# is made on first use.
# Usage: TAGSMIT_EXE=build/windows/bin/Tagsmit.exe scripts/windows-screenshots.sh docs/screenshots
set -uo pipefail

: "${TAGSMIT_EXE:?path of Tagsmit.exe}"
export TAGSMIT_EXE=$(realpath "$TAGSMIT_EXE")  # the program starts in another folder
out=$(realpath -m "${1:?folder for the PNG files}")
export WINEPREFIX=${WINEPREFIX:-$(dirname "$TAGSMIT_EXE")/../tests/e2e/windows/wineprefix}

. "$(dirname "$0")/../tests/e2e/windows/wine_lib.sh"

prepare_prefix
demo="$WINEPREFIX/drive_c/Web"  # C:\Web, a short path as it shows in the windows
[ -e "$demo" ] && fail "$demo is in the way"
trap 'rm -rf "$demo"; end_session' EXIT
mkdir -p "$demo/site/css" "$demo/site/img" "$demo/site/js"

start_session
# The three newest switches on, so that each shows checked, and the user
# guide's srcset string selected.
write_settings \
  'ClipStr= WIDTH=&w HEIGHT=&h\n&f" WIDTH=&w HEIGHT=&h>\n<IMG SRC="&f" WIDTH=&w HEIGHT=&h ALT="">\n<img src="&f" srcset="&s" width="&w" height="&h" alt="">\n' \
  NotyfyErr=1 LowerCase=1 RelativePath=255 'BasePath=C:\\Web\\site' MoreFormats=1 DisplaySize=0 \
  DensitySize=1 SrcSet=1 SeveralFiles=1

shoot() {  # window id, file
  xdotool mousemove 0 0  # off the window, so that no tooltip covers it
  sleep 1  # let the window paint
  import -window "$1" "$out/$2" || fail "import $2"
}
# Clicks the centre of a place given in twips, at the 96 dpi of the Xvfb;
# without a window manager the X window is the client area.
click() {  # window id, left, top, width, height
  xdotool mousemove --window "$1" $((($2 + $4 / 2) / 15)) $((($3 + $5 / 2) / 15)) click 1
}
close() {  # window id[, key]: Esc or the key, then waits until it has gone
  local deadline=$((SECONDS + patience))
  press "$1" "${2:-Escape}"
  while ((SECONDS < deadline)); do
    xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
    sleep 0.025
  done
  fail "window $1 did not close"
}

mkdir -p "$out"
cd "$demo" && start_tagsmit && cd - >/dev/null
settings=$(wait_window 'Tagsmit 設定') || fail "no settings window"
shoot "$settings" windows-settings-window.png
press "$settings" Return  # OK asks first
box=$(wait_window 'Tagsmit') || fail "no confirmation box"
shoot "$box" windows-confirm-box.png
close "$box" n  # No, by its key: the window stays
click "$settings" 1560 1800 855 255  # btnRef
picker=$(wait_window '基準ﾊﾟｽを設定してください') || fail "no directory picker"
shoot "$picker" windows-directory-picker.png
close "$picker"
click "$settings" 2940 3000 375 375  # btnVer
about=$(wait_window 'Tagsmitのﾊﾞｰｼﾞｮﾝ情報') || fail "no About window"
shoot "$about" windows-about-window.png
close "$about"
press "$settings" Escape
wait_tagsmit
echo "screenshots in $out"
