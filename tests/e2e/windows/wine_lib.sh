# lib.sh for the Windows program under Wine. Each script runs its own Wine
# server, kept alive until the script ends because the clipboard lives in it,
# on the script's own Xvfb; the prefix WINEPREFIX is shared and made by the
# case "prefix" of e2e_windows.sh. WINE_RUN: cmake/wine-run.sh; CLIPBOARD_TOOL:
# clipboard_tool.exe; TAGSMIT_EXE: Tagsmit.exe, where a case needs it.

: "${WINE_RUN:?path of cmake/wine-run.sh}" "${WINEPREFIX:?the Wine prefix}"
: "${CLIPBOARD_TOOL:?path of clipboard_tool.exe}"
windows_e2e=$(realpath "$(dirname "${BASH_SOURCE[0]}")")
TAGSMIT=$windows_e2e/tagsmit.sh
. "$windows_e2e/../lib.sh"

WINEPREFIX=$(realpath -m "$WINEPREFIX")
export WINEPREFIX WINEDEBUG=-all
wineserver=/usr/lib/wine/wineserver  # Debian keeps it out of PATH
[ -x "$wineserver" ] || wineserver=$(command -v wineserver) || fail "Wine is missing"
# Wine turns the arguments into UTF-16 from the locale's character set.
export LANG=C.UTF-8
# Wine takes APPDATA from the prefix, whatever the environment says.
appdata="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming"

server=""
end_session() {
  # Ends every program of the prefix before their display goes.
  [ -n "$server" ] && "$wineserver" -k 2>/dev/null
  cleanup
}
trap end_session EXIT

# Adds the font names of the windows to the prefix, made on first use.
prepare_prefix() {
  local face
  for face in 'ＭＳ ゴシック' 'ＭＳ Ｐゴシック' 'MS Gothic' 'MS PGothic' 'MS UI Gothic'; do
    "$WINE_RUN" "$WINEPREFIX" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
      /v "$face" /d 'Noto Sans CJK JP' /f >/dev/null || fail "reg add $face"
  done
  # The registry reaches the disk when the server ends.
  "$wineserver" -w
}

start_session() {
  start_xvfb
  # A server left by an earlier script would hold a display that is gone.
  "$wineserver" -k 2>/dev/null
  "$wineserver" -w
  "$wineserver" -p || fail "wineserver did not start"
  server=1
  rm -rf "$appdata/tagsmit"
}

# Z:\ is the root of the Linux file system in every prefix.
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }

clipboard() { timeout 10 "$WINE_RUN" "$WINEPREFIX" "$CLIPBOARD_TOOL" get 2>/dev/null; }
set_sentinel() {
  timeout 10 "$WINE_RUN" "$WINEPREFIX" "$CLIPBOARD_TOOL" set sentinel || fail "cannot set the clipboard"
}
