#!/usr/bin/env bash
# The engine builds and tests without Qt: no Qt header may be included outside a qt/ folder.
set -euo pipefail
root="${1:-$(dirname "$0")/..}"
hits=$(grep -rnE '^\s*#\s*include\s*[<"](Q[A-Za-z]*|Qt[A-Za-z]*/)' "$root/src" --include='*.h' --include='*.cpp' | grep -v '/qt/' || true)
if [ -n "$hits" ]; then
  echo "Qt included in engine code:"
  echo "$hits"
  exit 1
fi
echo "engine is free of Qt"
