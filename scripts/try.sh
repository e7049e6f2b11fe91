#!/usr/bin/env bash
# Installs what is missing, builds and installs Tagsmit into build/stage, runs
# it on a sample image and shows what the clipboard then holds. Without a
# display it brings up its own Xvfb for the run.
set -euo pipefail
cd "$(dirname "$0")/.."
image=${1:-samples/logo.gif}

scripts/install-deps.sh build
cmake --preset app >/dev/null
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
