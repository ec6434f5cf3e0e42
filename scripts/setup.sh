#!/usr/bin/env bash
# Installs every Debian package that building, running and testing Tallowmere needs.
# Quick when everything is already there; needs root (or sudo) otherwise.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  clang libclang-rt-14-dev llvm clang-format
  qt6-base-dev libgsf-1-dev libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libfontconfig-dev libfreetype-dev libharfbuzz-dev libfribidi-dev fonts-liberation2
  librsvg2-bin desktop-file-utils groff-base dpkg-dev file
  xvfb xauth xdotool imagemagick poppler-utils
  libreoffice-calc-nogui python3 python3-xlrd python3-openpyxl
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo_cmd=""
  [ "$(id -u)" -ne 0 ] && sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
