#!/bin/sh
# Installs the Debian packages that the build, the tests and the window
# program need, when some are missing.  Needs root (apt-get) only then.
set -e
packages="cmake ninja-build g++ libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  libtiff-tools python3-pil python3-mpmath python3-numpy libpng-dev zlib1g-dev pngcheck
  libwebp-dev ffmpeg parallel
  libcairo2-dev fonts-dejavu-core librsvg2-bin poppler-utils
  wine64 wine32:i386 fonts-wine xvfb xdotool imagemagick x11-utils
  emscripten node-acorn chromium"
missing=""
for p in $packages; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing="$missing $p"
done
# The page's tests run under Node with npm; a Node from elsewhere (which
# brings its own npm) will do, so these go by command, not by package.
command -v node >/dev/null 2>&1 || missing="$missing nodejs"
command -v npm >/dev/null 2>&1 || missing="$missing npm"
[ -z "$missing" ] && exit 0
if [ "$(id -u)" != 0 ]; then
  echo "missing Debian packages:$missing (run this script as root to install them)" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# The 32-bit program runs under Debian's 32-bit wine, an i386 package.
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  apt-get update -q >/dev/null
fi
apt-get install -y -q $missing >/dev/null 2>&1 || {
  apt-get update -q >/dev/null
  apt-get install -y -q $missing >/dev/null
}
