#!/usr/bin/env bash
# Installs every Debian package Trevalon needs to build, run and test.
set -euo pipefail
# As root the packages are installed directly; otherwise through sudo, which asks for the password.
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
PACKAGES=(
  build-essential cmake ninja-build pkg-config clang-format
  qt6-base-dev libgl-dev
  libxlsxwriter-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xdg-utils unzip
  poppler-utils
  clang libclang-rt-14-dev clang-tidy cppcheck
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  if [ -n "$SUDO" ] && ! command -v sudo >/dev/null; then
    echo "Missing packages: ${missing[*]}. Run this as root or install sudo." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update
  $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi
