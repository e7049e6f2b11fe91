#!/usr/bin/env bash
# Installs what is missing, builds and installs Tagsmit into build/stage, runs
# it on a sample image and shows what the clipboard then holds. Without a
# display it brings up its own Xvfb for the run.
set -euo pipefail
cd "$(dirname "$0")/.."
image=${1:-samples/logo.gif}

# The core libraries compile while the window toolkit and the X and Wayland
# libraries install: on a fresh machine the two take about as long.
scripts/install-deps.sh core
cmake --preset app -DTAGSMIT_BUILD_GUI=OFF >/dev/null
cmake --build --preset app >build/try-core.log 2>&1 &
core_build=$!
scripts/install-deps.sh build
wait "$core_build" || { cat build/try-core.log >&2; exit 1; }
cmake --preset app -DTAGSMIT_BUILD_GUI=ON >/dev/null
cmake --build --preset app
cmake --install build/app --prefix build/stage >/dev/null

if [ -z "${DISPLAY:-}" ]; then
  rm -f build/stage/display
  Xvfb -displayfd 3 -nolisten tcp -noreset 3>build/stage/display 2>/dev/null &
  xvfb_pid=$!
  trap 'kill "$xvfb_pid" 2>/dev/null' EXIT
  for _ in $(seq 100); do [ -s build/stage/display ] && break; sleep 0.05; done
  export DISPLAY=":$(cat build/stage/display)"
fi

build/stage/bin/tagsmit "$image"
echo "Clipboard after 'tagsmit $image':"
xclip -o -selection clipboard
echo
