#!/bin/sh
# Writes NEWS.md's releases to standard output, those whose heading has a date
# ("## 1.3.0 (2026-12-07)"), newest first: as the Debian changelog, each
# entry's lines the headlines of the release's items ("- **Headline**"), or
# as AppStream <release> elements. A changelog entry is signed at midnight
# (UTC) of its day, the newest at TIME (seconds since 1970), the time of the
# source built: two releases of one day must differ in time.
# Usage: news-releases.sh debian NEWS.md PACKAGE "NAME <ADDRESS>" TIME
#        news-releases.sh appstream NEWS.md
set -eu
case ${1:-} in
  debian | appstream) format=$1 news=$2 ;;
  *) echo "usage: news-releases.sh debian|appstream NEWS.md [PACKAGE MAINTAINER TIME]" >&2; exit 2 ;;
esac
LC_ALL=C awk -v format="$format" -v package="${3:-}" -v maintainer="${4:-}" -v newest="${5:-}" '
  function close_entry() {
    if (version == "" || format != "debian") return
    command = "date -u -R -d " (signed++ ? day : "@" newest)
    if ((command | getline stamp) <= 0) { print "no date " day > "/dev/stderr"; exit 1 }
    close(command)
    print ""
    print " -- " maintainer "  " stamp
  }
  /^## / {
    close_entry()
    version = ""
    if (!match($0, /^## [0-9]+\.[0-9]+\.[0-9]+ \([0-9]+-[0-9]+-[0-9]+\)$/)) next
    version = $2
    day = substr($3, 2, 10)
    if (format == "appstream") {
      print "    <release version=\"" version "\" date=\"" day "\"/>"
    } else {
      if (entries) print ""
      print package " (" version ") unstable; urgency=medium"
      print ""
    }
    entries++
    next
  }
  format == "debian" && version != "" && /^- \*\*/ {
    headline = substr($0, 5)
    sub(/\*\*.*/, "", headline)
    sub(/[.:]$/, "", headline)
    print "  * " headline
  }
  END {
    close_entry()
    if (!entries) { print "no release with a date in " FILENAME > "/dev/stderr"; exit 1 }
  }
' "$news"
