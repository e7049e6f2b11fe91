#!/usr/bin/env bash
# Measures the images of the browser comparison in headless Chromium and
# writes TABLE: for each image its naturalWidth x naturalHeight in an <img>,
# or "error" where the browser shows no picture (file and answer, tab
# separated, one header line, sorted). The images: the samples that
# make_samples.sh makes (named samples/NAME; their sizes are the same on every
# run, only metadata such as dates may vary), the images of Debian's
# libsdl2-image-tests and gdk-pixbuf-tests (by their full paths) and the
# shared corpus (corpus/NAME). The image tests compare the size query with
# the table, so the suite needs no browser.
#
#   browser_sizes.sh TABLE [CORPUS]     (needs Debian's chromium: apt-get install chromium)
set -euo pipefail
table=$(realpath -m "${1:?usage: browser_sizes.sh TABLE [CORPUS]}")
corpus=${2:-}
[ -d "$corpus" ] || corpus=""
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

bash "$here/make_samples.sh" "$work/samples" ${corpus:+"$corpus"} >/dev/null

# key <TAB> path, one a line
{
  find "$work/samples" -maxdepth 1 -type f ! -name expected.tsv ! -name '*.y4m' -printf 'samples/%f\t%p\n'
  find /usr/libexec/installed-tests/SDL2_image /usr/libexec/installed-tests/gdk-pixbuf -type f \
    -name '*.*' ! -name '*.conf' ! -name '*.icc' ! -name '*.xmp' -printf '%p\t%p\n'
  [ -z "$corpus" ] || (cd "$corpus" && find . -type f ! -name expected.tsv ! -name README.md -printf 'corpus/%P\t'"$PWD"'/%P\n')
} | sort >"$work/files"

# One page loads them all; each load or error event writes the answer into
# the page, which the browser prints once every image has settled.
{
  printf '<!DOCTYPE html><meta charset="utf-8"><body><script>\nconst files = [\n'
  perl -ne '
    chomp; my ($key, $path) = split /\t/;
    $path =~ s/([^A-Za-z0-9\/._~-])/sprintf "%%%02X", ord $1/ge;
    $key =~ s/(["\\])/\\$1/g;
    print "[\"$key\", \"file://$path\"],\n";' "$work/files"
  cat <<'JS'
];
for (const [key, url] of files) {
  const img = new Image();
  const answer = (text) => {
    const p = document.createElement('p');
    p.textContent = key + '\t' + text;
    document.body.appendChild(p);
  };
  img.onload = () => answer(img.naturalWidth + 'x' + img.naturalHeight);
  img.onerror = () => answer('error');
  img.src = url;
  document.body.appendChild(img);
}
</script>
JS
} >"$work/page.html"

chromium --headless=new --no-sandbox --disable-gpu --allow-file-access-from-files \
  --virtual-time-budget=60000 --dump-dom "file://$work/page.html" 2>/dev/null >"$work/dom"
{
  printf 'file\tbrowser\n'
  grep -o '<p>[^<]*</p>' "$work/dom" | sed 's/^<p>//; s/<\/p>$//; s/&amp;/\&/g; s/&lt;/</g; s/&gt;/>/g' | sort
} >"$table"
expected=$(wc -l <"$work/files")
got=$(($(wc -l <"$table") - 1))
[ "$got" -eq "$expected" ] || { echo "the browser answered for $got of $expected images" >&2; exit 1; }
echo "$got images measured in $table"
