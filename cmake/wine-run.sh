#!/usr/bin/env bash
# Runs a Windows program under Wine, in a prefix of the build's own: the
# emulator of the Windows cross build, so that ctest runs the tests this way.
#
#   cmake/wine-run.sh PREFIX PROGRAM [ARGUMENT...]
#
# The first use creates the prefix (wineboot); runs that start meanwhile wait
# for it under a lock, so it is made once. A prefix whose creation was cut
# short is made anew. Wine's debug output is off unless WINEDEBUG says
# otherwise, and Wine's .NET and HTML engines stay out of the prefix, so that
# its creation asks nothing and downloads nothing.
set -euo pipefail

prefix=$(realpath -m -- "${1:?usage: wine-run.sh PREFIX PROGRAM [ARGUMENT...]}")  # Wine wants it absolute
shift
# Debian's wine64 package keeps the loader out of PATH.
wine=/usr/lib/wine/wine64
if [ ! -x "$wine" ]; then
  wine=$(command -v wine64 || command -v wine) ||
    { echo "wine-run.sh: Wine is missing (scripts/install-deps.sh installs it)" >&2; exit 127; }
fi

export WINEPREFIX=$prefix
export WINEDEBUG=${WINEDEBUG--all}
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

if [ ! -e "$prefix/.ready" ]; then
  mkdir -p "$(dirname "$prefix")"
  exec 9>"$prefix.lock"
  flock 9
  if [ ! -e "$prefix/.ready" ]; then
    rm -rf "$prefix"
    echo "wine-run.sh: creating the Wine prefix $prefix" >&2
    if ! "$wine" wineboot -i >"$prefix.log" 2>&1; then
      cat "$prefix.log" >&2
      exit 1
    fi
    # The registry reaches the disk when the server ends.
    WINEPREFIX=$prefix "${wine%/*}/wineserver" -w 2>/dev/null || true
    touch "$prefix/.ready"
  fi
  exec 9>&-
fi
exec "$wine" "$@"
