#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite: once in a
# debug build, once under AddressSanitizer and UndefinedBehaviorSanitizer,
# then runs each fuzz target for a minute, then builds the Windows test suite
# with mingw-w64 and runs it under Wine, then builds the Windows release ZIP
# and installer and checks them; and checks the formatting.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

echo "== formatting"
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

for preset in debug sanitize; do
  echo "== $preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== $preset tests"
  ctest --preset "$preset" -j2
done

echo "== fuzzing"
scripts/fuzz.sh 60

echo "== windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows
echo "== windows tests (under Wine; the window tests on an Xvfb of their own)"
xvfb-run --auto-servernum --server-args="-noreset -nolisten tcp -screen 0 1024x768x24" \
  ctest --preset windows -j2

echo "== windows release ZIP and installer"
cmake --preset windows-release >/dev/null
cmake --build --preset windows-release
cpack --preset windows-release
zip=$(ls build/windows-release/Tagsmit-*-windows-x64.zip)
listed=$(zipinfo -1 "$zip" | sed 's|^[^/]*/||' | sort | tr '\n' ' ')
[ "$listed" == "LICENSE.txt Tagsmit.exe readme.txt " ] ||
  { echo "$zip holds: $listed" >&2; exit 1; }
echo "$zip: $listed"

# The installer, run silently under Wine in the test prefix, puts the ZIP's
# files in place (the program stripped anew, so its time stamp differs: it
# shows its version), and its uninstaller takes them away again.
setup=${zip%-windows-x64.zip}-setup.exe
version=${zip##*/Tagsmit-}
version=${version%-windows-x64.zip}
check=$(mktemp -d)
trap 'rm -rf "$check"' EXIT
unzip -q "$zip" -d "$check/zip"
installed=$check/installed
wine_run() { cmake/wine-run.sh build/windows/wineprefix "$@" 2>/dev/null; }
wine_run "$setup" /S "/D=Z:${installed//\//\\}"
cmp "$check"/zip/*/LICENSE.txt "$installed/LICENSE.txt"
cmp "$check"/zip/*/readme.txt "$installed/readme.txt"
[ "$(wine_run "$installed/Tagsmit.exe" --version)" == "Tagsmit $version"$'\r' ] ||
  { echo "$setup: the installed program is not Tagsmit $version" >&2; exit 1; }
wine_run "$installed/Uninstall.exe" /S
for _ in $(seq 300); do
  [ -e "$installed" ] || break
  sleep 0.1
done
[ ! -e "$installed" ] || { echo "$setup: the uninstaller left $(ls "$installed")" >&2; exit 1; }
echo "$setup: installs the release files and uninstalls"
