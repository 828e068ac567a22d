#!/usr/bin/env bash
# Installs the Debian packages that are missing: with "program", only what
# building and running the program needs; without, also what its tests,
# benchmarks and package checks need.
#   install-deps.sh [program]
set -euo pipefail

program=(
  g++ cmake make pkg-config dpkg-dev
  qt6-base-dev libqscintilla2-qt6-dev libx11-dev
  fonts-dejavu-core fonts-liberation
)
checks=(
  libgtest-dev libbenchmark-dev
  xvfb xauth xdotool xclip x11-utils x11-xserver-utils imagemagick openbox
  fonts-wqy-zenhei
  clang libclang-rt-dev
  file desktop-file-utils acl attr lintian
)
packages=("${program[@]}")
[ "${1:-}" = program ] || packages+=("${checks[@]}")

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
