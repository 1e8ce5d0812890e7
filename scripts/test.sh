#!/usr/bin/env bash
# Installs what is needed, checks the formatting, builds the engine alone (no Qt) to show that it needs no
# Qt and runs the static analysis on it, then builds Trevalon with warnings as errors and sanitizers and
# runs every test; last, each fuzz target runs for FUZZ_SECONDS (default 60) from its committed seeds.
# JOBS sets the number of parallel build and test jobs (default: every processor).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${JOBS:-$(nproc)}"
bash scripts/install-deps.sh
# The sanitized build and the engine build take about 1.3 GB together; a full disk shows up as an assembler
# or linker failure, so the free space is printed first.
df -h . | tail -n 1
echo "== formatting"
bash scripts/check-format.sh
echo "== engine build without Qt"
# Built unoptimised and not run: its tests run below in the sanitized build, so here only the building
# counts, and that is quickest at -O0.
cmake --preset engine -G Ninja
cmake --build --preset engine -j"$jobs"
if grep -q '^Qt6_DIR:' build-engine/CMakeCache.txt; then
  echo "the engine build looked for Qt"
  exit 1
fi
if grep -qiE '(-I|-isystem) ?[^ ]*qt[56]' build-engine/compile_commands.json; then
  echo "the engine build compiles with Qt's include folders:"
  grep -ioE '(-I|-isystem) ?[^ ]*qt[56][^ ]*' build-engine/compile_commands.json | sort -u
  exit 1
fi
echo "== static analysis"
bash scripts/static-analysis.sh build-engine
echo "== build"
cmake --preset ci -G Ninja
cmake --build --preset ci -j"$jobs"
echo "== tests"
export QT_QPA_PLATFORM=offscreen
ctest --preset ci -j"$jobs" --timeout 900
echo "== fuzzing"
for target in fuzz/corpus/*/; do
  JOBS="$jobs" bash scripts/fuzz.sh "$(basename "$target")" "${FUZZ_SECONDS:-60}"
done
