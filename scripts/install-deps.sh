#!/usr/bin/env bash
# Installs the Debian packages the build, the program and its tests need,
# skipping the ones already there.
set -euo pipefail

packages=(
  g++ cmake make pkg-config
  qt6-base-dev libqscintilla2-qt6-dev libx11-dev
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool xclip x11-utils x11-xserver-utils imagemagick openbox
  fonts-dejavu-core fonts-liberation fonts-wqy-zenhei
  clang libclang-rt-dev
  dpkg-dev file desktop-file-utils acl attr
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
