#!/usr/bin/env bash
# The kernel's share of BM_MarkerScan_1GiB: reads a fresh copy of the same
# sparse file (start of image, a 1 GiB hole, frame header) with dd in 1 MiB
# blocks and with cat, first while its pages are not cached (the kernel fills
# the page cache with zero pages), then again from the cache.
#
# Usage: bench/sparse-read.sh [ROUNDS]   (default 3; each round a new file)
set -euo pipefail
rounds=${1:-3}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Writes the file as the benchmark does: nothing is stored for the hole.
make_file() {
  rm -f "$1"
  printf '\xff\xd8' >"$1"
  truncate -s $((2 + (1 << 30))) "$1"
  printf '\xff\xc0\x00\x11\x08\x04\x38\x07\x80\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01' >>"$1"
}

ms_since() { echo $(((${EPOCHREALTIME/./} - $1) / 1000)); }

echo "round  dd bs=1M cold  dd bs=1M cached  cat cold  cat cached  (ms, 1 GiB + 23 B)"
for r in $(seq "$rounds"); do
  make_file "$work/gap.jpg"
  start=${EPOCHREALTIME/./}; dd if="$work/gap.jpg" of=/dev/null bs=1M status=none
  dd_cold=$(ms_since "$start")
  start=${EPOCHREALTIME/./}; dd if="$work/gap.jpg" of=/dev/null bs=1M status=none
  dd_warm=$(ms_since "$start")
  make_file "$work/gap2.jpg"
  start=${EPOCHREALTIME/./}; cat "$work/gap2.jpg" >/dev/null
  cat_cold=$(ms_since "$start")
  start=${EPOCHREALTIME/./}; cat "$work/gap2.jpg" >/dev/null
  cat_warm=$(ms_since "$start")
  rm -f "$work/gap.jpg" "$work/gap2.jpg"
  printf '%5d  %13d  %15d  %8d  %10d\n' "$r" "$dd_cold" "$dd_warm" "$cat_cold" "$cat_warm"
done
