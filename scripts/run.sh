#!/usr/bin/env bash
# Installs what is needed, builds Trevalon and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default -G Ninja -DTREVALON_BUILD_TESTS=OFF -DTREVALON_BUILD_BENCH=OFF
cmake --build --preset default -j"$(nproc)" --target trevalon
exec ./build/bin/trevalon "$@"
