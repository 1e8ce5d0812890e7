#!/usr/bin/env bash
# trevalon-bench run --debug DIR: the same output as without it (the seconds column aside), the debug dumps
# in DIR, and a clear refusal of a missing folder.
set -euo pipefail
bench="$1"
knot="$2"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir "$dir/dumps"
drop_seconds() { awk -F'\t' 'BEGIN { OFS = "\t" } NF >= 5 && $1 !~ /^  / { $5 = "" } { print }'; }
"$bench" run "$knot" --steps | drop_seconds >"$dir/plain"
"$bench" run "$knot" --steps --debug "$dir/dumps" | drop_seconds >"$dir/debug"
diff "$dir/plain" "$dir/debug"
for f in coppie.txt ng.txt posricalc.txt pontiA.txt ponteok.txt archiA.txt archi.txt; do
  [ -s "$dir/dumps/$f" ] || { echo "missing dump $f"; exit 1; }
done
if "$bench" run "$knot" --debug "$dir/missing" >/dev/null 2>&1; then
  echo "a missing dumps folder was accepted"
  exit 1
fi
echo "run --debug writes the dumps and prints what run prints"
