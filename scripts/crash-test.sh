#!/usr/bin/env bash
# The full crash test of the settings file: 1,000 saves killed at random
# moments, then two processes saving 500 times each at once (CI runs a quick
# form). Usage: scripts/crash-test.sh [KILLS [SAVES]]
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset release >/dev/null
cmake --build --preset release --target tagsmit_save_crash_check
build/release/tests/platform/settings_file/tagsmit_save_crash_check "${1:-1000}" "${2:-500}"
