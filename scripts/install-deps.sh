#!/usr/bin/env bash
# Installs the Debian 12 packages Tagsmit needs.
#
#   scripts/install-deps.sh core    what the core libraries build with
#   scripts/install-deps.sh build   what building the program and running it needs
#   scripts/install-deps.sh         that, and everything the test suite uses
set -euo pipefail
scope=${1:-all}

core_packages=(cmake ninja-build g++ nlohmann-json3-dev)

build_packages=(
  "${core_packages[@]}" pkg-config
  qt6-base-dev libxcb1-dev libxau-dev libxdmcp-dev
  # the Wayland clipboard: libwayland-client, and wayland-scanner for the glue
  libwayland-dev libwayland-bin
  # a display of its own and a clipboard reader where the run has none
  xvfb xauth xclip
  # the Debian package (cpack -G DEB)
  dpkg-dev file
)

test_packages=(
  # tests and benchmarks
  libgtest-dev libgmock-dev googletest libbenchmark-dev clang-format
  xdotool x11-utils procps time strace
  # fuzzing: clang with libFuzzer
  clang libclang-rt-14-dev
  # the Windows build: mingw-w64 (posix threads) and Wine to run its tests
  g++-mingw-w64-x86-64-posix wine64
  # Japanese text on screen
  fonts-noto-cjk
  # the Windows release: the program icon rendered from its SVG, and the
  # per-user installer, made with makensis
  librsvg2-bin icoutils nsis
  # the release ZIP's listing checked by the suite
  unzip
  # the Debian package's checks: its AppStream record and lintian
  appstream lintian
  # end to end in Wayland sessions: three headless compositors with Xwayland,
  # the clipboard clients, a session bus, Python's D-Bus for Mutter's keyboard
  sway kwin-wayland mutter xwayland wl-clipboard dbus-daemon python3-gi gir1.2-glib-2.0
  # the windows on Qt's Wayland platform
  qt6-wayland
  # the desktop entry's check
  desktop-file-utils
  # the image tests' samples of every format, made by ImageMagick, avifenc,
  # cwebp and exiftool (perl writes the headers no tool writes), and the
  # images of Debian's own test packages, measured against identify
  imagemagick libavif-bin webp libimage-exiftool-perl perl libsdl2-image-tests gdk-pixbuf-tests
  # and the JPEG XL samples, made by cjxl
  libjxl-tools
)

case $scope in
  core) packages=("${core_packages[@]}") ;;
  build) packages=("${build_packages[@]}") ;;
  all) packages=("${build_packages[@]}" "${test_packages[@]}") ;;
  *) echo "usage: scripts/install-deps.sh [core|build]" >&2; exit 2 ;;
esac

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  # dpkg's sync after every file is most of an installation's time (the build
  # set: 90 s with it, 34 s without). What it guards against, a file left
  # damaged by a power failure during the installation, is the risk container
  # images take the same way.
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends \
    -o Dpkg::Options::=--force-unsafe-io "${missing[@]}"
fi
