#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite: once in a
# debug build, once under AddressSanitizer and UndefinedBehaviorSanitizer;
# builds the benchmarks in a release build, then runs each fuzz target for a
# minute, then builds the Windows test suite with mingw-w64 and runs it under
# Wine, then builds the Windows release ZIP and installer and checks them, then
# the Debian package; and checks the formatting.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# Each stage's heading says how long the suite has run, to show where the time goes.
stage() { printf '== %s (at %d:%02d)\n' "$1" $((SECONDS / 60)) $((SECONDS % 60)); }

stage formatting
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

for preset in debug sanitize; do
  stage "$preset build"
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  stage "$preset tests"
  ctest --preset "$preset" -j2
done

stage "release build of the benchmarks (built so that they cannot rot; not run)"
cmake --preset release >/dev/null
cmake --build --preset release --target tagsmit_bench

stage "fuzzing"
scripts/fuzz.sh 60

stage "windows build"
cmake --preset windows >/dev/null
cmake --build --preset windows
stage "windows tests (under Wine; the window tests on an Xvfb of their own)"
xvfb-run --auto-servernum --server-args="-noreset -nolisten tcp -screen 0 1024x768x24" \
  ctest --preset windows -j2

stage "windows release ZIP and installer"
cmake --preset windows-release >/dev/null
cmake --build --preset windows-release
cpack --preset windows-release
check=$(mktemp -d)
trap 'rm -rf "$check"' EXIT
# The packages of this version: a build folder may hold an earlier release's.
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build/windows-release/CMakeCache.txt)
zip=build/windows-release/Tagsmit-${version}-windows-x64.zip
listed=$(zipinfo -1 "$zip" | sed 's|^[^/]*/||' | sort | tr '\n' ' ')
[ "$listed" == "LICENSE.txt Tagsmit.exe readme.txt " ] ||
  { echo "$zip holds: $listed" >&2; exit 1; }
echo "$zip: $listed"

# One Tagsmit.exe per release: the ZIP's, stamped with the commit's time
# (its PE checksum consistent), and a relink of the same commit gives the same
# bytes.
release_exe=build/windows-release/packaging/windows/release/Tagsmit.exe
stamp=$(x86_64-w64-mingw32-objdump -p "$release_exe" | sed -n 's/^Time\/Date\t*//p')
commit_time=${SOURCE_DATE_EPOCH:-$(git log -1 --format=%ct)}
[ "$(date -d "$stamp" +%s)" == "$commit_time" ] ||
  { echo "$release_exe: stamped $stamp, not with the commit's time" >&2; exit 1; }
python3 - "$release_exe" <<'PY'
import struct, sys
data = open(sys.argv[1], "rb").read()
field = struct.unpack_from("<I", data, 0x3C)[0] + 24 + 64  # CheckSum of the optional header
stored = struct.unpack_from("<I", data, field)[0]
body = data[:field] + b"\0\0\0\0" + data[field + 4:] + b"\0" * (len(data) % 2)
total = sum(struct.unpack("<%dH" % (len(body) // 2), body))
while total >> 16:
    total = (total & 0xFFFF) + (total >> 16)
if total + len(data) != stored:
    sys.exit(f"{sys.argv[1]}: PE checksum {stored:#x}, the file's is {total + len(data):#x}")
PY
cp "$release_exe" "$check/first.exe"
rm build/windows-release/bin/Tagsmit.exe
cmake --build --preset windows-release --target tagsmit_release_exe >/dev/null
cmp "$check/first.exe" "$release_exe" || { echo "a relink gave other bytes" >&2; exit 1; }

# The installer, run silently under Wine in the test prefix, puts the ZIP's
# files in place, the same bytes, and its uninstaller takes them away again.
setup=${zip%-windows-x64.zip}-setup.exe
unzip -q "$zip" -d "$check/zip"
installed=$check/installed
wine_run() { cmake/wine-run.sh build/windows/wineprefix "$@" 2>/dev/null; }
wine_run "$setup" /S "/D=Z:${installed//\//\\}"
cmp "$check"/zip/*/Tagsmit.exe "$installed/Tagsmit.exe"
cmp "$check"/zip/*/Tagsmit.exe "$release_exe"
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

stage "Debian package"
cmake --preset app >/dev/null
cmake --build --preset app
(cd build/app && cpack -G DEB >/dev/null)
deb=build/app/tagsmit_${version}_amd64.deb
# Errors fail; the warnings left are listed in the README.
lintian "$deb" 2>/dev/null || { echo "$deb: lintian finds errors" >&2; exit 1; }
dpkg-deb -x "$deb" "$check/deb"
metainfo=$(ls "$check"/deb/usr/share/metainfo/*.metainfo.xml)
appstreamcli validate --no-net "$metainfo"
# The record names this release first, a desktop entry of the package, and
# screenshots that docs/screenshots holds.
python3 - "$metainfo" "$check/deb" "$version" <<'PY'
import os, sys, xml.etree.ElementTree as ET
path, root, version = sys.argv[1:]
record = ET.parse(path).getroot()
problems = []
if os.path.basename(path) != record.findtext("id") + ".metainfo.xml":
    problems.append("its file is not named after its id")
if record.find("releases/release").get("version") != version:
    problems.append(f"its newest release is not {version}: NEWS.md has no dated heading for it")
launchable = record.findtext("launchable")
if not os.path.isfile(f"{root}/usr/share/applications/{launchable}"):
    problems.append(f"the package has no {launchable}")
for image in record.iter("image"):
    name = image.text.rsplit("/", 1)[1]
    if not os.path.isfile(f"docs/screenshots/{name}"):
        problems.append(f"docs/screenshots has no {name}")
if problems:
    sys.exit(f"{path}: " + "; ".join(problems))
PY
echo "$deb: lintian and appstreamcli find no error"
stage done
