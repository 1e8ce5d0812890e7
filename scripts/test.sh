#!/usr/bin/env bash
# Installs what is needed and checks the formatting; builds the engine and the benchmarks alone (no Qt) to
# show that they need no Qt, under ThreadSanitizer, and runs the tests that run threads in that build; runs
# the static analysis on every source of src; then builds Trevalon with warnings as errors and the address
# and undefined-behaviour sanitizers and runs every test; last, each fuzz target runs for FUZZ_SECONDS
# (default 60) from its committed seeds, as many side by side as there are processors.
# JOBS sets the number of parallel build and test jobs (default: every processor).
set -euo pipefail
cd "$(dirname "$0")/.."
jobs="${JOBS:-$(nproc)}"
# Each stage's heading says how long the command has run so far, so that a slow stage shows in the log.
stage() { echo "== $1 (at $((SECONDS / 60)) min $((SECONDS % 60)) s)"; }
bash scripts/install-deps.sh
# The sanitized builds take about 1.5 GB together; a full disk shows up as an assembler or linker failure,
# so the free space is printed first.
df -h . | tail -n 1
stage "formatting"
bash scripts/check-format.sh
stage "engine build without Qt, under ThreadSanitizer"
# One build without Qt serves three ends: it shows that the engine and the benchmarks need no Qt, it builds
# them with warnings as errors, and it runs the threaded tests under ThreadSanitizer. The engine's other
# tests build and run in the build below.
cmake --preset tsan -G Ninja
cmake --build --preset tsan -j"$jobs"
if grep -q '^Qt6_DIR:' build-tsan/CMakeCache.txt; then
  echo "the engine build looked for Qt"
  exit 1
fi
if grep -qiE '(-I|-isystem) ?[^ ]*qt[56]' build-tsan/compile_commands.json; then
  echo "the engine build compiles with Qt's include folders:"
  grep -ioE '(-I|-isystem) ?[^ ]*qt[56][^ ]*' build-tsan/compile_commands.json | sort -u
  exit 1
fi
stage "threaded tests under ThreadSanitizer"
# The layout attempts, the key set and the look-ahead's records examined side by side. A build of a
# 246-crossing braid made at once (LayoutAttempts.ABuildWithAttemptsAtOnce...) is left to the build below:
# under ThreadSanitizer it takes many minutes, and a 247-crossing one made at once is run here.
# The checks of trevalon-bench's commands (bench_*) run here too, as the build below has no benchmarks.
ctest --preset tsan -j"$jobs" --timeout 900
stage "static analysis"
# The qt/ sources are read with the compile commands of the build with Qt, configured here.
cmake --preset ci -G Ninja
bash scripts/static-analysis.sh build-tsan build-ci
stage "build"
cmake --build --preset ci -j"$jobs"
stage "tests"
export QT_QPA_PLATFORM=offscreen
ctest --preset ci -j"$jobs" --timeout 900
stage "fuzzing"
# Every target is built first; then they run side by side, one per processor, each for FUZZ_SECONDS on a
# processor of its own. Each target's output goes to its log, printed when it fails and summed up after.
mapfile -t targets < <(ls fuzz/corpus)
for target in "${targets[@]}"; do
  JOBS="$jobs" FUZZ_STEP=build bash scripts/fuzz.sh "$target"
done
export FUZZ_SECONDS="${FUZZ_SECONDS:-60}"
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c '
  log=build-fuzz/log-{}.txt
  if FUZZ_STEP=run bash scripts/fuzz.sh {} "$FUZZ_SECONDS" >"$log" 2>&1; then
    echo "fuzz_{}: $(awk "/^stat::number_of_executed_units/ {print \$2}" "$log") inputs run, no failure"
  else
    cat "$log"
    echo "fuzz_{} failed"
    exit 255
  fi'
stage "done"
