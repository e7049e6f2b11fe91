# lib.sh for the Windows program under Wine. Each script runs its own Wine
# server, kept alive until the script ends because the clipboard lives in it,
# on the script's own Xvfb; the prefix WINEPREFIX is shared and made by the
# case "prefix" of e2e_windows.sh. WINE_RUN: cmake/wine-run.sh unless given;
# CLIPBOARD_TOOL, START_TOOL: the tools of that name and
# TAGSMIT_EXE: Tagsmit.exe, where needed.

: "${WINEPREFIX:?the Wine prefix}"
windows_e2e=$(realpath "$(dirname "${BASH_SOURCE[0]}")")
export WINE_RUN=${WINE_RUN:-$windows_e2e/../../../cmake/wine-run.sh}
TAGSMIT=$windows_e2e/tagsmit.sh
. "$windows_e2e/../lib.sh"
# A program's first start in a new prefix, on a busy machine, takes seconds.
patience=30

WINEPREFIX=$(realpath -m "$WINEPREFIX")
export WINEPREFIX WINEDEBUG=-all
wineserver=/usr/lib/wine/wineserver  # Debian keeps it out of PATH
[ -x "$wineserver" ] || wineserver=$(command -v wineserver) || fail "Wine is missing"
# Wine turns the arguments into UTF-16 from the locale's character set.
export LANG=C.UTF-8
# Wine takes APPDATA from the prefix, whatever the environment says.
settings_folder="$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/tagsmit"

server=""
end_session() {
  # Ends every program of the prefix before their display goes.
  [ -n "$server" ] && "$wineserver" -k 2>/dev/null
  cleanup
}
trap end_session EXIT

# Makes the prefix on first use; maps the font names of the windows to an
# installed CJK font, the fixed-pitch ones to a fixed-pitch one.
prepare_prefix() {
  local face
  for face in 'ＭＳ ゴシック=Noto Sans Mono CJK JP' 'MS Gothic=Noto Sans Mono CJK JP' \
    'ＭＳ Ｐゴシック=Noto Sans CJK JP' 'MS PGothic=Noto Sans CJK JP' 'MS UI Gothic=Noto Sans CJK JP'; do
    "$WINE_RUN" "$WINEPREFIX" reg add 'HKCU\Software\Wine\Fonts\Replacements' \
      /v "${face%%=*}" /d "${face#*=}" /f >/dev/null || fail "reg add ${face%%=*}"
  done
  # The registry reaches the disk when the server ends.
  "$wineserver" -w
}

start_session() {
  start_xvfb
  # A server left by an earlier script would hold a display that is gone.
  "$wineserver" -k 2>/dev/null
  "$wineserver" -w
  # Alive between the programs of a case, and not for ever should the case be
  # killed before it ends the server.
  "$wineserver" -p60 || fail "wineserver did not start"
  server=1
  rm -rf "$settings_folder"
}

# Z:\ is the root of the Linux file system in every prefix.
windows_path() { local p=${1//\//\\}; echo "Z:$p"; }

clipboard_tool() { timeout 30 "$WINE_RUN" "$WINEPREFIX" "${CLIPBOARD_TOOL:?path of clipboard_tool.exe}" "$@"; }
clipboard() { clipboard_tool get 2>/dev/null; }
start_tool() { timeout 30 "$WINE_RUN" "$WINEPREFIX" "${START_TOOL:?path of start_tool.exe}" "$@"; }
set_sentinel() { clipboard_tool set sentinel || fail "cannot set the clipboard"; }
