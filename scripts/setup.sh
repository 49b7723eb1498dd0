#!/usr/bin/env bash
# Installs what building and testing Tarkel needs on Debian 12, when it is missing.
# Safe to run again: it only calls apt-get when a package is not installed yet.
set -euo pipefail

packages=(
  g++ cmake ninja-build git pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libsoxr-dev
  clang libclang-rt-14-dev
  sox sndfile-programs ffmpeg
  libfftw3-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev
  portaudio19-dev libasound2-dev libsndfile1-dev
  xvfb xauth xdotool xclip imagemagick x11-utils alsa-utils fonts-dejavu-core python3
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
