#!/usr/bin/env bash
# trevalon-bench run --debug DIR: the same output as without it (the seconds column aside), the debug dumps
# in DIR, a clear refusal of a missing folder, and dumps that cannot be written said and failing the run.
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
# Dumps that cannot be written (a folder stands where one goes): the run's line as without them, the
# count on the error output, and status 1.
mkdir -p "$dir/blocked/coppie.txt"
if "$bench" run "$knot" --debug "$dir/blocked" >"$dir/blocked.out" 2>"$dir/blocked.err"; then
  echo "dumps not written gave status 0"
  exit 1
fi
diff <(drop_seconds <"$dir/blocked.out") <(head -1 "$dir/plain")
grep -q "debug dumps\? w.* not written; the last: $dir/blocked/coppie.txt" "$dir/blocked.err" ||
  { echo "dumps not written were not said:"; cat "$dir/blocked.err"; exit 1; }
echo "run --debug writes the dumps and prints what run prints"
