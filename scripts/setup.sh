#!/usr/bin/env bash
# Installs every Debian package the build, the program and the tests need.
# Idempotent; runs as root or through sudo.
set -euo pipefail

PACKAGES=(
  build-essential cmake ninja-build pkg-config git
  qtbase5-dev libqt5opengl5-dev libxcb1-dev
  libboost-dev libboost-thread-dev
  libtbb-dev
  libfreeimage-dev
  libglew-dev
  libtinyxml-dev
  libglu1-mesa-dev libgl1-mesa-dri
  libmpg123-dev
  libsdl2-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth mesa-utils
  lame
  mpg123
  fonts-dejavu-core
  x11-apps imagemagick
  # clang and its sanitizer and libFuzzer runtimes (which clang-14 only
  # recommends), for the fuzz step of scripts/sanitize.sh
  clang libclang-rt-14-dev
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update
$SUDO apt-get install -y --no-install-recommends "${missing[@]}"
