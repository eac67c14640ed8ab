#!/usr/bin/env bash
# Installs every Debian package Dovanel needs to build, test and run.
set -euo pipefail

packages=(
  build-essential cmake git pkg-config
  libgtest-dev libbenchmark-dev
  clang clang-format
  qt6-base-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6 libgl-dev
  poppler-utils
  # The common default font families of desktops: the window tests walk every window in each.
  fonts-dejavu-core fonts-noto-core fonts-liberation fonts-cantarell
  dpkg-dev devscripts lintian appstream desktop-file-utils librsvg2-bin man-db
  # The scenario files' MIME type: checking its definition (xmllint, update-mime-database).
  shared-mime-info libxml2-utils
  xvfb xauth openbox x11-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
