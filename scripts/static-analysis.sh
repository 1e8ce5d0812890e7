#!/usr/bin/env bash
# Static analysis of every source and header of src: clang-tidy with the checks of .clang-tidy, then
# cppcheck. Any finding fails.
#   scripts/static-analysis.sh [ENGINE_BUILD [QT_BUILD]]
# The engine's sources are read with the compile commands of ENGINE_BUILD, any build folder configured
# without Qt (default build-engine; the test command passes build-tsan), the sources of the qt/ folders with those of QT_BUILD, a build folder
# configured with the Qt front end (default: build-ci, else build). Headers are read through the sources
# that include them.
# JOBS sets the number of parallel jobs (default: every processor).
set -euo pipefail
cd "$(dirname "$0")/.."
engine="${1:-build-engine}"
qt="${2:-}"
if [ -z "$qt" ]; then
  for b in build-ci build; do
    if [ -f "$b/compile_commands.json" ] && grep -q '/qt/' "$b/compile_commands.json"; then
      qt=$b
      break
    fi
  done
fi
jobs="${JOBS:-$(nproc)}"
if [ ! -f "$engine/compile_commands.json" ]; then
  echo "no compile commands in $engine: configure it first (cmake --preset engine)" >&2
  exit 2
fi
if [ -z "$qt" ] || ! grep -q '/qt/' "$qt/compile_commands.json" 2>/dev/null; then
  echo "no build folder configured with the Qt front end (cmake --preset ci, or name one)" >&2
  exit 2
fi
mapfile -t sources < <(ls src/*/*.cpp src/*/qt/*.cpp)
# One list of compile commands: the engine's from the engine build, the qt/ folders' from the Qt build.
db=$(mktemp -d)
trap 'rm -rf "$db"' EXIT
jq -s '[.[0][] | select(.file | test("/src/[^/]+/qt/") | not)] + [.[1][] | select(.file | test("/src/[^/]+/qt/"))]' \
  "$engine/compile_commands.json" "$qt/compile_commands.json" >"$db/compile_commands.json"
missing=$(for s in "${sources[@]}"; do
  jq -e --arg f "$PWD/$s" 'any(.[]; .file == $f)' "$db/compile_commands.json" >/dev/null || echo "$s"
done)
if [ -n "$missing" ]; then
  echo "sources without a compile command (configure the builds again):"
  echo "$missing"
  exit 1
fi
echo "== clang-tidy (${#sources[@]} files)"
# The project's GCC-only warning flags are unknown to clang.
log="$db/tidy.log"
run-clang-tidy -p "$db" -j "$jobs" -quiet -extra-arg=-Wno-unknown-warning-option "${sources[@]}" >"$log" 2>&1 || true
findings=$(sed 's/\x1b\[[0-9;]*m//g' "$log" | grep -E '^/.*: (warning|error):' | sort -u || true)
if [ -n "$findings" ]; then
  echo "$findings"
  echo "clang-tidy: $(wc -l <<<"$findings") finding(s)"
  exit 1
fi
echo "clang-tidy: no finding"
echo "== cppcheck"
# Left off, each for its reason:
suppressed=(
  # The standard library's headers are not given to cppcheck: it reads the project's code only.
  missingIncludeSystem
  # It proposes std::find_if, std::any_of or std::accumulate for any loop; a short loop with an early
  # return reads as clearly, and the check finds no fault.
  useStlAlgorithm
  # A local named after a function of another scope (text, fail, now): the function cannot be meant there,
  # and GCC's -Wshadow reports the shadowing of variables, where a mix-up is possible.
  shadowFunction
)
# Not enabled, each for its reason: "information" reports cppcheck's own configuration (headers it did not
# find, checks it skipped), not the code; "unusedFunction" cannot run with -j and counts as unused a
# function that only the tests or the benchmarks call, which it does not read.
cppcheck --enable=warning,style,performance,portability --std=c++20 --inline-suppr --quiet --error-exitcode=1 \
  -j "$jobs" -I src "${suppressed[@]/#/--suppress=}" "${sources[@]}"
echo "cppcheck: no finding"
