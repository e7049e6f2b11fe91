#!/usr/bin/env bash
# Installs what is missing, builds and runs the whole test suite: once in a
# debug build, once under AddressSanitizer and UndefinedBehaviorSanitizer,
# then runs each fuzz target for a minute, then builds the Windows test suite
# with mingw-w64 and runs it under Wine; and checks the formatting.
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
echo "== windows tests (under Wine)"
ctest --preset windows -j2
