#!/usr/bin/env bash
# Writes the seeds that are too large or too regular to keep in the tree into
# the folder given, one subfolder per target: settings files nested thousands
# deep (mutation alone never builds deep nesting), JPEG files whose marker
# scans run over long stretches, and images of every format read by content.
set -euo pipefail
out=$1

repeat() {  # text count
  local text=$1 count=$2 result=""
  for ((i = 0; i < count; ++i)); do result+=$text; done
  printf '%s' "$result"
}

init='"init":{"version":"115","ClipStr":"a\nb\n","ClipStrNo":"1","NotyfyErr":"1","Test":"0","LowerCase":"0","RelativePath":"255","FixedPath":"./","BasePath":"/w"}'
s=$out/settings_document
mkdir -p "$s"
for depth in 100 3000 10000; do
  printf '{"other":%s%s,%s}' "$(repeat '[' $depth)" "$(repeat ']' $depth)" "$init" >"$s/arrays-$depth.json"
  printf '{%s,"deep":%s1%s}' "$init" "$(repeat '{"a":' $depth)" "$(repeat '}' $depth)" >"$s/objects-$depth.json"
done
# Deep values in the places of the section's own values, and text that ends deep inside.
printf '{"init":{"version":"115","ClipStr":%s"x"%s,"ClipStrNo":%snull%s}}' \
  "$(repeat '[{"k":' 3000)" "$(repeat '}]' 3000)" "$(repeat '[' 3000)" "$(repeat ']' 3000)" >"$s/deep-values.json"
printf '{"init":%s' "$(repeat '[' 10000)" >"$s/unfinished.json"

j=$out/image_size
mkdir -p "$j"
# SOI, a 65535-byte APP1, 150 KB of stray bytes before the frame header.
{
  printf '\xff\xd8\xff\xe1\xff\xff'
  head -c 65533 /dev/zero
  head -c 150000 /dev/zero | tr '\0' 'x'
  printf '\xff\xff\xff\xc0\x00\x11\x08\x01\x00\x02\x00\x03'
} >"$j/long-scan.jpg"
# Fill bytes run on for as long.
{
  printf '\xff\xd8'
  head -c 200000 /dev/zero | tr '\0' '\377'
  printf '\xc1\x00\x11\x08\x00\x10\x00\x20\x03'
} >"$j/long-fill.jpg"
# Images of every format read by content: the image tests' samples, made by
# the Debian tools, those small enough to be whole inputs.
samples=$(mktemp -d)
"$(dirname "$0")/../tests/image/make_samples.sh" "$samples" >/dev/null
find "$samples" -maxdepth 1 -type f -size -256k ! -name '*.tsv' ! -name '*.y4m' -exec cp {} "$j/" \;
rm -rf "$samples"
