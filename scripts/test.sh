#!/usr/bin/env bash
# Installs what is needed, builds Trevalon with warnings as errors and sanitizers, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
echo "== formatting"
bash scripts/check-format.sh
echo "== build"
cmake --preset ci -G Ninja
cmake --build --preset ci -j"$(nproc)"
echo "== tests"
export QT_QPA_PLATFORM=offscreen
ctest --preset ci -j"$(nproc)" --timeout 900
