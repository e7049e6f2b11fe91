# Shared by the latency scripts: a microsecond clock, the median and mean of
# a list of times, and the peak memory of a command.
now_us() { local t=${EPOCHREALTIME/./}; echo "$t"; }

# Median and mean in ms of FILE, microsecond times one a line.
stats() {
  sort -n "$1" | awk '{v[NR]=$1; s+=$1} END {m=(NR%2)?v[(NR+1)/2]:(v[NR/2]+v[NR/2+1])/2;
    printf "%.2f %.2f\n", m/1000, s/NR/1000}'
}

# Peak resident set of COMMAND... alone (a holder it forks and leaves running
# is not counted), in KiB, largest of 20 runs.
peak() {
  local max=0 kib rss
  rss=$(mktemp)
  for _ in $(seq 20); do
    /usr/bin/time -f '%M' -o "$rss" "$@" >/dev/null 2>&1
    kib=$(tail -1 "$rss")
    ((kib > max)) && max=$kib
  done
  rm -f "$rss"
  echo "$max"
}
