#!/usr/bin/env bash
# Builds one libFuzzer target with clang (coverage, AddressSanitizer and UndefinedBehaviorSanitizer) in its
# own build folder, only with the engine libraries it needs, and runs it for SECONDS on its committed seeds.
#   scripts/fuzz.sh TARGET [SECONDS]   (TARGET: a folder of fuzz/corpus, e.g. gauss_reader, knot_source)
# A target uses the dictionary fuzz/TARGET.dict when there is one, else fuzz/gauss.dict.
# New inputs go to build-fuzz/corpus-TARGET (the committed seeds in fuzz/corpus/ are only read); an input
# that breaks a property or a sanitizer is written to build-fuzz/crashes-TARGET/ and the script fails.
# JOBS sets the number of parallel build jobs (default: every processor). FUZZ_STEP=build only builds the
# target, FUZZ_STEP=run only runs it (built before); by default both.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ]; then
  echo "usage: scripts/fuzz.sh TARGET [SECONDS] (targets: $(ls fuzz/corpus | tr '\n' ' '))" >&2
  exit 2
fi
name="${1#fuzz_}"
seconds="${2:-60}"
jobs="${JOBS:-$(nproc)}"
if [ ! -d "fuzz/corpus/$name" ]; then
  echo "no fuzz target $name (targets: $(ls fuzz/corpus | tr '\n' ' '))" >&2
  exit 2
fi
build=build-fuzz
step="${FUZZ_STEP:-both}"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
if [ "$step" != run ]; then
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
    -DTREVALON_BUILD_GUI=OFF -DTREVALON_BUILD_TESTS=OFF -DTREVALON_BUILD_BENCH=OFF -DTREVALON_BUILD_FUZZ=ON \
    -DTREVALON_SANITIZE=OFF "-DCMAKE_CXX_FLAGS=$flags" >/dev/null
  cmake --build "$build" --target "fuzz_$name" -j"$jobs"
fi
if [ "$step" = build ]; then exit 0; fi
mkdir -p "$build/corpus-$name" "$build/crashes-$name"
# One input may take long only where large codes are laid out: a braid of 200 crossings and more takes up to
# a minute under the sanitizers, which is slow, not hung.
timeout=30
if [ "$name" = braid_layout ]; then timeout=180; fi
dict=fuzz/gauss.dict
if [ -f "fuzz/$name.dict" ]; then dict="fuzz/$name.dict"; fi
echo "== fuzz_$name for ${seconds}s"
"$build/bin/fuzz_$name" -dict="$dict" -max_total_time="$seconds" -timeout="$timeout" -rss_limit_mb=4096 \
  -print_final_stats=1 -artifact_prefix="$build/crashes-$name/" "$build/corpus-$name" "fuzz/corpus/$name"
