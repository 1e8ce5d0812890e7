#!/usr/bin/env bash
# Static analysis of the engine (every source outside a qt/ folder): clang-tidy with the checks of
# .clang-tidy, then cppcheck. Any finding fails. Reads the compile commands of a configured build folder
# (default build-engine, which the test command configures first).
# JOBS sets the number of parallel jobs (default: every processor).
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-engine}"
jobs="${JOBS:-$(nproc)}"
mapfile -t sources < <(ls src/*/*.cpp | grep -v '/qt/')
echo "== clang-tidy (${#sources[@]} files)"
# The project's GCC-only warning flags are unknown to clang.
log=$(mktemp)
run-clang-tidy -p "$build" -j "$jobs" -quiet -extra-arg=-Wno-unknown-warning-option "${sources[@]}" >"$log" 2>&1 || true
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '^/.*: (warning|error):' | sort -u || true)
rm -f "$log"
if [ -n "$findings" ]; then
  echo "$findings"
  echo "clang-tidy: $(wc -l <<<"$findings") finding(s)"
  exit 1
fi
echo "clang-tidy: no finding"
echo "== cppcheck"
cppcheck --enable=warning,performance,portability --std=c++20 --inline-suppr --quiet --error-exitcode=1 \
  -j "$jobs" -I src --suppress=missingIncludeSystem "${sources[@]}"
echo "cppcheck: no finding"
