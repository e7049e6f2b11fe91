#!/usr/bin/env bash
# Builds the fuzz targets (preset "fuzz": clang, libFuzzer, AddressSanitizer,
# UndefinedBehaviorSanitizer) and runs each for SECONDS, two at a time, with
# its seeds and dictionary. Fails when a target finds a crash, a hang, a leak
# or a broken property, and says how to rerun the input that did it.
#
#   scripts/fuzz.sh SECONDS [TARGET...]     targets: the names in fuzz/*_fuzzer.cpp
#
# Outside the tree, in build/fuzz/: corpus/<target> (the working corpus, kept
# between runs), findings/<target> (reproducers), logs/<target>.log.
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:?usage: scripts/fuzz.sh SECONDS [TARGET...]}
shift
targets=("$@")
if ((${#targets[@]} == 0)); then
  for source in fuzz/*_fuzzer.cpp; do
    name=${source#fuzz/}
    targets+=("${name%_fuzzer.cpp}")
  done
fi

scripts/install-deps.sh
echo "== fuzz build"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

out=build/fuzz
rm -rf "$out/seeds"
fuzz/make_seeds.sh "$out/seeds"
mkdir -p "$out/logs"

# Inputs larger than libFuzzer's default of 4 KiB: whole images, and settings
# files nested thousands deep.
declare -A max_len=([image_size]=262144 [settings_document]=65536)
# Seeds used in place: the shared image corpus beside the checkout and the samples.
declare -A extra_seeds=([image_size]="../shared/corpus samples")

run() {
  local target=$1
  local corpus=$out/corpus/$target findings=$out/findings/$target
  mkdir -p "$corpus" "$findings"
  local args=(-max_total_time="$seconds" -timeout=30 -rss_limit_mb=4096 -print_final_stats=1
    -artifact_prefix="$findings/")
  [ -f "fuzz/$target.dict" ] && args+=(-dict="fuzz/$target.dict")
  [ -n "${max_len[$target]:-}" ] && args+=(-max_len="${max_len[$target]}")
  local seeds=() dir
  for dir in "fuzz/seeds/$target" "$out/seeds/$target" ${extra_seeds[$target]:-}; do
    [ -d "$dir" ] && seeds+=("$dir")
  done
  local status=0
  "$out/fuzz/${target}_fuzzer" "${args[@]}" "$corpus" "${seeds[@]}" >"$out/logs/$target.log" 2>&1 ||
    status=$?
  echo "$status" >"$out/logs/$target.status"
}

echo "== fuzzing ${#targets[@]} targets for $seconds s each, two at a time"
for target in "${targets[@]}"; do
  [ -x "$out/fuzz/${target}_fuzzer" ] || { echo "no fuzz target $target" >&2; exit 2; }
  rm -f "$out/logs/$target.status"
  while (($(jobs -rp | wc -l) >= 2)); do wait -n || true; done
  run "$target" &
done
wait

failed=0
printf '%-18s %12s %8s %6s %7s %14s\n' target executions execs/s cov ft corpus
for target in "${targets[@]}"; do
  log=$out/logs/$target.log
  stat() { sed -n "s/^stat::$1: *//p" "$log" | tail -n 1; }
  done_line=$(grep -E '^#[0-9]+[[:space:]]+DONE' "$log" | tail -n 1 || true)
  field() { sed -n "s/.* $1: \([^ ]*\).*/\1/p" <<<"$done_line"; }
  printf '%-18s %12s %8s %6s %7s %14s\n' "$target" "$(stat number_of_executed_units)" \
    "$(stat average_exec_per_sec)" "$(field cov)" "$(field ft)" "$(field corp)"
  status=$(cat "$out/logs/$target.status" 2>/dev/null || echo missing)
  if [ "$status" != 0 ]; then
    failed=1
    echo "!! $target failed (exit status $status); log: $log"
    grep -E -A6 'property broken|ERROR: (libFuzzer|AddressSanitizer|LeakSanitizer)|runtime error' "$log" |
      head -n 30 || tail -n 30 "$log"
    for finding in "$out/findings/$target"/*; do
      [ -e "$finding" ] && echo "   rerun: $out/fuzz/${target}_fuzzer $finding"
    done
  fi
done
exit "$failed"
