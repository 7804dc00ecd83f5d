#!/usr/bin/env bash
# Installs every Debian package the editor needs to build, run and test.
# Idempotent: packages already present are left alone, and apt is not called
# when none is missing. Run as root (or through sudo). With --quiet it says
# nothing unless it installs something.
set -euo pipefail

packages=(
  build-essential cmake ninja-build ccache pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libqt6svg6 libgl-dev libxkbcommon-dev
  libsqlite3-dev sqlite3
  libgdal-dev gdal-bin libproj-dev proj-bin proj-data
  libshp-dev shapelib
  libjpeg62-turbo-dev libpng-dev zlib1g-dev libopenjp2-7-dev libopenjp2-tools
  fontconfig fonts-dejavu-core fonts-liberation fonts-liberation2
  python3 fontforge python3-fontforge
  xvfb xauth
  xdotool openbox x11-utils desktop-file-utils binutils
  clang-14 libclang-rt-14-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

quiet=0
if [ "${1:-}" = "--quiet" ]; then quiet=1; fi

if [ ${#missing[@]} -eq 0 ]; then
  [ "$quiet" -eq 1 ] || echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
echo "install-deps: installed ${missing[*]}"
