#!/usr/bin/env bash
# Tagsmit.exe under Wine, as one command for lib.sh: TAGSMIT_EXE is the
# program, WINE_RUN and WINEPREFIX as for wine_lib.sh.
exec "${WINE_RUN:?}" "${WINEPREFIX:?}" "${TAGSMIT_EXE:?path of Tagsmit.exe}" "$@"
