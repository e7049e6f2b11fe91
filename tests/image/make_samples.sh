#!/usr/bin/env bash
# Makes sample images of every format read by content in OUT, with Debian's
# tools, and OUT/expected.tsv: for each of them, and for each image of the
# packages libsdl2-image-tests and gdk-pixbuf-tests (and of the shared corpus,
# when it is there) whose size ImageMagick's identify knows, the size the
# query must give with both switches on (file, width, height, message; tab
# separated, one header line). The size is identify's, turned by a JPEG's
# orientation; where identify cannot read a file, the size its maker was
# given; where our answer differs from identify's on purpose, ours, with the
# reason beside it.
#
#   make_samples.sh OUT [CORPUS]
set -euo pipefail
out=${1:?usage: make_samples.sh OUT [CORPUS]}
corpus=${2:-}
[ -d "$corpus" ] || corpus=""
# Made once for all the builds of a checkout: kept while this script, the
# tools and the folders it reads are what they were.
key=$({
  cat "$0"
  dpkg-query -W imagemagick libavif-bin webp libimage-exiftool-perl libjxl-tools \
    libsdl2-image-tests gdk-pixbuf-tests 2>&1
  [ -z "$corpus" ] || find "$corpus" -type f -printf '%P %s %T@\n' | sort
} | sha256sum)
if [ -f "$out/expected.tsv" ] && [ "$(cat "$out/key" 2>/dev/null)" == "$key" ]; then
  echo "$out: the samples are up to date"
  exit 0
fi
rm -rf "$out"
mkdir -p "$out"
cd "$out"
table=expected.tsv.part
printf 'file\twidth\theight\tmessage\n' >"$table"

row() { printf '%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "${4:-}" >>"$table"; }

# identify's width and height as a browser shows them, or nothing when it
# cannot read the file: a GIF's or an animated WebP's canvas, an icon's
# largest picture, a JPEG turned by its orientation.
identified() {
  local lines
  lines=$(identify -ping -format '%m %W %H %w %h %[orientation]\n' "$1" 2>/dev/null) || return 0
  awk '
    { w = $4; h = $5 }
    $1 == "GIF" || $1 == "WEBP" { w = $2; h = $3 }
    $6 ~ /^(LeftTop|RightTop|RightBottom|LeftBottom)$/ { t = w; w = h; h = t }
    NR == 1 || w * h > best { best = w * h; bw = w; bh = h }
    END { if (NR) printf "%s\t%s\n", bw, bh }' <<<"$lines"
}

# A file that identify reads: its row from identify.
known() {
  local size
  size=$(identified "$1")
  [ -n "$size" ] || { echo "identify cannot read $1" >&2; exit 1; }
  row "$1" "${size%$'\t'*}" "${size#*$'\t'}"
}

# A file made to a size (WIDTH HEIGHT); identify, where it reads the file at
# all (it refuses sides above 16000), must agree.
made() {
  local size
  size=$(identified "$1")
  [ -z "$size" ] || [ "$size" == "$2"$'\t'"$3" ] ||
    { echo "$1: made $2 x $3, identify says ${size/$'\t'/ x }" >&2; exit 1; }
  row "$1" "$2" "$3"
}

# Our answer where identify's differs on purpose: FILE WIDTH HEIGHT; the reason
# stands in a comment at each use.
ours() { row "$1" "$2" "$3"; }
fails() { row "$1" 0 0 "$2"; }

# Hand-made files: perl, whose zlib and pack build what the image tools cannot
# (sides above ImageMagick's limit, headers no tool writes).
png() {  # FILE WIDTH HEIGHT [CHUNK-BEFORE-IHDR]: 8-bit grey, all black
  perl -MCompress::Zlib -e '
    my ($w, $h, $first) = @ARGV;
    sub chunk { my ($t, $d) = @_; pack("N", length $d) . $t . $d . pack("N", crc32($t . $d)) }
    binmode STDOUT;
    print "\x89PNG\r\n\x1a\n", ($first ? chunk($first, "\x50\x00\x20\x02") : ""),
      chunk("IHDR", pack("NNC5", $w, $h, 8, 0, 0, 0, 0)),
      chunk("IDAT", compress(("\0" x ($w + 1)) x $h)), chunk("IEND", "");' "$2" "$3" "${4:-}" >"$1"
}
bmp() {  # FILE WIDTH STORED-HEIGHT: 24-bit, black; a negative height is top down
  perl -e '
    my ($w, $h) = @ARGV;
    my $row = ($w * 3 + 3) & ~3;
    my $data = "\0" x ($row * abs $h);
    binmode STDOUT;
    print "BM", pack("VvvV", 54 + length $data, 0, 0, 54),
      pack("VllvvVVllVV", 40, $w, $h, 1, 24, 0, length $data, 2835, 2835, 0, 0), $data;' "$2" "$3" >"$1"
}
y4m() {  # FILE WIDTH HEIGHT: one grey 4:2:0 frame
  { printf 'YUV4MPEG2 W%s H%s F25:1 Ip A1:1 C420jpeg\nFRAME\n' "$2" "$3"
    head -c $(($2 * $3 * 3 / 2)) /dev/zero | tr '\0' '\200'; } >"$1"
}
svg() {  # FILE TEXT: printf's escapes in TEXT
  printf "$2" >"$1"
}
quiet() { "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }; }

# Pictures to convert.
quiet convert -size 40x30 gradient:red-blue base.png
quiet convert -size 256x192 gradient:green-yellow big.png
quiet convert -size 40x30 xc:none -fill red -draw 'rectangle 0,0,19,14' alpha.png

# PNG
known base.png
quiet convert base.png -depth 16 png48:deep.png && known deep.png
quiet convert base.png -interlace PNG interlaced.png && known interlaced.png
quiet convert base.png png8:palette.png && known palette.png
png wide.png 40000 2 && made wide.png 40000 2
png cgbi.png 33 17 CgBI && ours cgbi.png 33 17  # Apple's chunk first: libpng refuses the file

# GIF
quiet convert base.png base.gif && known base.gif

# JPEG; orientation by exiftool, in either byte order
quiet convert base.png base.jpg && known base.jpg
quiet convert base.png -interlace JPEG progressive.jpg && known progressive.jpg
quiet convert base.png -colorspace Gray gray.jpg && known gray.jpg
for o in 3 5 6 7 8; do
  quiet exiftool -n -Orientation=$o -o orientation-$o.jpg base.jpg && known orientation-$o.jpg
done
quiet exiftool -n -ExifByteOrder=II -Orientation=6 -o orientation-6-ii.jpg base.jpg
known orientation-6-ii.jpg

# WebP: lossy (VP8), lossless (VP8L), extended (VP8X) by alpha and by animation
quiet cwebp -q 60 base.png -o lossy.webp && known lossy.webp
quiet cwebp -lossless base.png -o lossless.webp && known lossless.webp
png largest.png 16383 3
quiet cwebp -lossless largest.png -o largest-lossless.webp && made largest-lossless.webp 16383 3
quiet cwebp -q 60 alpha.png -o alpha.webp && known alpha.webp
quiet img2webp -loop 0 base.png -d 100 alpha.png -o animated.webp && known animated.webp

# AVIF and HEIF: rotations (anticlockwise quarters), a mirror, a grid, a clean
# aperture, a sequence, 10 bits, a side above 32767
avif() { quiet avifenc -s 10 "$@"; }
avif base.png base.avif && known base.avif
for r in 1 2 3; do avif --irot $r base.png rotated-$r.avif && known rotated-$r.avif; done
avif --imir 0 base.png mirrored.avif && known mirrored.avif
avif --grid 2x2 big.png grid.avif && known grid.avif
# Browsers apply a clean aperture only where it starts at the top left corner
# (identify applies any: 20 x 16).
avif --crop 10,6,20,16 base.png aperture.avif && ours aperture.avif 40 30
avif --crop 10,6,20,16 --irot 1 base.png aperture-rotated.avif && ours aperture-rotated.avif 30 40
avif --crop 0,0,20,16 base.png aperture-corner.avif && known aperture-corner.avif
avif -d 10 base.png deep.avif && known deep.avif
avif base.png base.png sequence.avif && known sequence.avif
y4m wide.y4m 40000 2 && avif wide.y4m wide.avif && made wide.avif 40000 2
quiet convert base.png base.heic && known base.heic

# SVG
svg plain.svg '<svg xmlns="http://www.w3.org/2000/svg" width="120" height="60"/>'
svg px.svg '<svg xmlns="http://www.w3.org/2000/svg" width="120px" height=" 60px "></svg>'
svg mm.svg '<svg xmlns="http://www.w3.org/2000/svg" width="50mm" height="20mm"/>'
svg points.svg '<svg xmlns="http://www.w3.org/2000/svg" width="72pt" height="6pc"/>'
svg inches.svg '<svg xmlns="http://www.w3.org/2000/svg" width="2.54cm" height="0.5in"/>'
svg viewbox.svg '<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 300 150"/>'
svg comma-viewbox.svg '<svg xmlns="http://www.w3.org/2000/svg" viewBox="0,0, 64 ,32"/>'
svg width-only.svg '<svg xmlns="http://www.w3.org/2000/svg" width="200" viewBox="0 0 100 50"/>'
svg height-only.svg '<svg xmlns="http://www.w3.org/2000/svg" height="50" viewBox="-5 -5 400 100"/>'
svg percent.svg '<svg xmlns="http://www.w3.org/2000/svg" width="100%%" height="100%%" viewBox="0 0 80 60"/>'
svg doctype.svg '<!DOCTYPE svg PUBLIC "-//W3C//DTD SVG 1.1//EN"\n "http://www.w3.org/Graphics/SVG/1.1/DTD/svg11.dtd" [\n <!ENTITY e "]>">\n <!-- a > and a ] -->\n]>\n<svg xmlns="http://www.w3.org/2000/svg" width="30" height="20"/>'
svg bom.svg '\xef\xbb\xbf<?xml version="1.0" encoding="UTF-8"?>\n<!-- <svg width="1" height="1"> -->\n<?xml-stylesheet href="a.css"?>\n<svg\n  xmlns="http://www.w3.org/2000/svg"\n  height="25" width="35"/>'
svg prefixed.svg '<svg:svg xmlns:svg="http://www.w3.org/2000/svg" width="44" height="33"/>'
for f in plain px mm points inches viewbox comma-viewbox width-only height-only percent doctype bom prefixed; do
  known $f.svg
done
svg ems.svg '<svg xmlns="http://www.w3.org/2000/svg" width="10em" height="5em" viewBox="0 0 40 20"/>'
ours ems.svg 160 80  # an em of 16 px, as in browsers; rsvg takes 12 px (120 x 60)
svg rem.svg '<svg xmlns="http://www.w3.org/2000/svg" width="10rem" height="80" font-size="20"/>'
ours rem.svg 200 80  # the root's own font size
svg em-font.svg '<svg xmlns="http://www.w3.org/2000/svg" width="2em" height="1em" font-size="2em"/>'
ours em-font.svg 64 32
svg reference.svg '<!DOCTYPE svg [<!ENTITY h "8&#48;">]><svg xmlns="http://www.w3.org/2000/svg" width="&#49;20" height="&h;"/>'
ours reference.svg 120 80  # rsvg refuses
svg laughs.svg '<!DOCTYPE svg [<!ENTITY a "1111111111"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;"><!ENTITY c "&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;"><!ENTITY d "&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;"><!ENTITY e "&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;"><!ENTITY f "&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;"><!ENTITY g "&f;&f;&f;&f;&f;&f;&f;&f;&f;&f;">]><svg xmlns="http://www.w3.org/2000/svg" width="&g;" height="1"/>'
fails laughs.svg "svg ファイルがおかしい"
for order in le be; do
  printf '<?xml version="1.0" encoding="UTF-16"?><svg xmlns="http://www.w3.org/2000/svg" width="120" height="80"/>' |
    iconv -f UTF-8 -t UTF-16${order^^} | { if [ $order = le ]; then printf '\xff\xfe'; else printf '\xfe\xff'; fi; cat; } >utf-16-$order.svg
  ours utf-16-$order.svg 120 80
done
svg half.svg '<svg xmlns="http://www.w3.org/2000/svg" width="10.5" height="10.4"/>'
ours half.svg 11 10  # rounded to the nearest; rsvg rounds up (11 x 11)
svg wide.svg '<svg xmlns="http://www.w3.org/2000/svg" width="40000" height="2"/>'
made wide.svg 40000 2
svg no-size.svg '<svg xmlns="http://www.w3.org/2000/svg"><rect width="5" height="5"/></svg>'
fails no-size.svg "svg ファイルに寸法がありません"

# BMP: the OS/2 core header, the Windows 3 and 5 headers, top down, wide
quiet convert base.png BMP2:core.bmp && known core.bmp
quiet convert base.png BMP3:info.bmp && known info.bmp
quiet convert base.png BMP:v5.bmp && known v5.bmp
bmp top-down.bmp 40 -30 && known top-down.bmp
bmp wide.bmp 40000 -1 && made wide.bmp 40000 1

# ICO and CUR: the largest picture, 256 stored as 0
quiet convert base.png -define icon:auto-resize=64,48,16 sizes.ico && known sizes.ico
quiet convert -size 256x256 xc:blue 256.png
quiet icotool -c -o 256.ico base.png 256.png && known 256.ico
quiet convert base.png base.cur && known base.cur
quiet icotool -c --cursor -o hotspot.cur base.png && known hotspot.cur

# What browsers do where identify differs, by hand: a side of 0 is no
# picture; a first frame beyond the GIF's screen grows the canvas; only the
# first Exif segment counts, wherever it stands before the scan; a PNG's eXIf
# chunk turns it; an icon's entries of equal area are told apart by depth.
png zero-width.png 0 10 && fails zero-width.png "png ファイルがおかしい"
bmp zero-height.bmp 10 0 && fails zero-height.bmp "bmp ファイルがおかしい"
patch() {  # IN OUT OFFSET HEX...: IN with bytes from OFFSET on replaced
  perl -e 'my ($in, $at, @bytes) = @ARGV; open my $f, "<:raw", $in or die; local $/;
    my $d = <$f>; substr($d, $at, @bytes) = pack("C*", map { hex } @bytes); binmode STDOUT; print $d' \
    "$1" "${@:3}" >"$2"
}
patch base.gif screen-10.gif 6 0a 00 0a 00 && ours screen-10.gif 40 30
patch base.gif screen-0.gif 6 00 00 00 00 && ours screen-0.gif 40 30
segments() {  # IN OUT PERL: the JPEG's segments before the scan in @s, as PERL rearranges them
  perl -e 'my ($in, $code) = @ARGV; open my $f, "<:raw", $in or die; local $/; my $d = <$f>;
    my ($at, @s) = (2);
    while (substr($d, $at + 1, 1) ne "\xda") {
      my $n = unpack "n", substr($d, $at + 2, 2); push @s, substr($d, $at, $n + 2); $at += $n + 2;
    }
    eval $code; die $@ if $@; binmode STDOUT; print "\xff\xd8", @s, substr($d, $at)' "$1" "$3" >"$2"
}
# Orientation 6 after an Exif segment of a broken TIFF header, or of none.
segments orientation-6.jpg exif-second.jpg 'unshift @s, "\xff\xe1\x00\x0aExif\0\0XX"'
ours exif-second.jpg 40 30
quiet exiftool -all= -o no-orientation.jpg base.jpg
quiet exiftool -n -Make=x -o no-orientation-exif.jpg no-orientation.jpg
segments orientation-6.jpg exif-without-orientation-first.jpg \
  'open my $g, "<:raw", "no-orientation-exif.jpg"; local $/; my $e = <$g>;
   my $i = index($e, "\xff\xe1"); unshift @s, substr($e, $i, 2 + unpack "n", substr($e, $i + 2, 2))'
ours exif-without-orientation-first.jpg 40 30
segments orientation-6.jpg exif-after-frame.jpg \
  'my @e = grep { /^\xff\xe1..Exif/s } @s; @s = ((grep { !/^\xff\xe1..Exif/s } @s), @e)'
ours exif-after-frame.jpg 30 40
quiet exiftool -n -Orientation=6 -o png-orientation-6.png base.png && ours png-orientation-6.png 30 40
quiet convert -size 64x32 xc:red PNG32:wide-32.png
quiet convert -size 32x64 xc:red PNG8:tall-8.png
perl -e 'my @p = map { open my $f, "<:raw", $_ or die; local $/; scalar <$f> } @ARGV;
  my @bits = (8, 32); my @sides = ([32, 64], [64, 32]); my $at = 6 + 16 * @p; my $d = "";
  binmode STDOUT; print pack("vvv", 0, 1, scalar @p);
  for my $i (0 .. $#p) {
    print pack("CCCCvvVV", @{$sides[$i]}, 0, 0, 1, $bits[$i], length $p[$i], $at);
    $at += length $p[$i]; $d .= $p[$i];
  }
  print $d' tall-8.png wide-32.png >depth.ico
ours depth.ico 64 32

# JPEG XL (identify here reads none, so the sizes are the ones made): the size
# header's small form (eighths up to 256) and its large forms of 9, 13, 18 and
# 30 bits, every ratio shortcut (17 x 10 is 16:9 rounded down), bare and in
# the container, the orientation, and a codestream split in parts boxes.
jxl() { quiet cjxl -e 1 "$@"; }
codestream() {  # CONTAINER OUT [SPLIT]: the jxlc box's codestream, bare or in two jxlp boxes
  perl -e '
    my ($in, $split) = @ARGV;
    open my $f, "<:raw", $in or die; local $/; my $d = <$f>;
    my ($at, $cs) = (0);
    while ($at < length $d) {
      my ($size, $type) = unpack "Na4", substr($d, $at, 8);
      $size ||= length($d) - $at;
      $cs = substr($d, $at + 8, $size - 8) if $type eq "jxlc";
      $at += $size;
    }
    defined $cs or die "no jxlc box in $in";
    binmode STDOUT;
    if (!$split) { print $cs; exit }
    my $box = sub { pack("N", 8 + length $_[1]) . $_[0] . $_[1] };
    print $box->("JXL ", "\r\n\x87\n"), $box->("ftyp", "jxl \0\0\0\0jxl "),
      $box->("jxlp", pack("N", 0) . substr($cs, 0, $split)),
      $box->("jxlp", pack("N", 0x80000001) . substr($cs, $split));' "$1" "${3:-}" >"$2"
}
for size in 64x40 64x48 301x200 5000x3 50x50 60x50 40x30 45x30 48x27 50x40 60x30 17x10; do
  quiet convert -size $size xc:gray jxl-$size.png
  jxl jxl-$size.png jxl-$size.jxl && made jxl-$size.jxl ${size%x*} ${size#*x}
done
png jxl-wide.png 40000 2 && jxl jxl-wide.png jxl-wide.jxl && made jxl-wide.jxl 40000 2
png jxl-long.png 1 300000 && jxl jxl-long.png jxl-long.jxl && made jxl-long.jxl 1 300000
jxl --container=1 base.png container.jxl && made container.jxl 40 30
codestream container.jxl parts.jxl 5 && made parts.jxl 40 30
for o in 3 6; do
  jxl --lossless_jpeg=0 orientation-$o.jpg orientation-$o.jxl
  codestream orientation-$o.jxl orientation-$o-bare.jxl
done
made orientation-3.jxl 40 30
made orientation-3-bare.jxl 40 30
made orientation-6.jxl 30 40
made orientation-6-bare.jxl 30 40
rm -f jxl-*.png

# The Debian packages' images and the corpus, where identify knows them.
for folder in /usr/libexec/installed-tests/SDL2_image /usr/libexec/installed-tests/gdk-pixbuf \
  ${corpus:+"$corpus"}; do
  while IFS= read -r -d '' file; do
    case $file in
      */randomly-modified/crash.ico)
        # The directory says 2 x 2, the damaged bitmap under it 2 x 1; the
        # directory is what is read.
        ours "$file" 2 2 ;;
      */gif-test-suite/image-outside-bg.gif)
        # The first frame reaches beyond the logical screen; browsers grow the
        # canvas to hold it, identify gives the screen.
        ours "$file" 4 4 ;;
      */gif-test-suite/image-overlap-bg.gif) ours "$file" 3 3 ;;
      */bug143608-comment.jpg | */bug725582-testrotate.jpg)
        # Orientation 6 stored as a 32-bit number where Exif has a 16-bit one;
        # browsers then leave the picture as stored, and so do we.
        ours "$file" 640 428 ;;
      *) [ -z "$(identified "$file")" ] || known "$file" ;;
    esac
  done < <(find "$folder" -type f -regextype egrep \
    -iregex '.*\.(png|jpe?g|gif|webp|avif|heic|svg|bmp|ico|cur|jxl)' -print0 | sort -z)
done

mv "$table" expected.tsv
echo "$key" >key
echo "$(($(wc -l <expected.tsv) - 1)) files listed in $out/expected.tsv"
