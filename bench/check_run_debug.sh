#!/usr/bin/env bash
# trevalon-bench run --debug DIR: the same output as without it (the seconds column aside), the debug dumps
# in DIR, a clear refusal of a missing folder, and dumps that cannot be written said and failing the run.
# Each drawn knot after the first knot (an object file or a knot source) writes the table dumps of a knot
# rebuilt from its cell drawing (archiI.txt, incrociI.txt, gemelli.txt, regioni.txt, tmpreg*.txt; a knot
# source also those of the walk over its symbols, archiD.txt and incrociD.txt), describing its crossings.
# Usage: check_run_debug.sh BENCH KNOT [DRAWN_KNOT...]
set -euo pipefail
bench="$1"
knot="$2"
shift 2
drawn=("$@")
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
# --help lists what run --debug writes, the drawn knot's table dumps among them.
help=$("$bench" --help 2>&1) || { echo "trevalon-bench --help failed"; exit 1; }
for f in archiA.txt incrociA.txt archiI.txt incrociI.txt archiD.txt incrociD.txt gemelli.txt regioni.txt \
  tmpreg.txt tmpreg00.txt tmpreg01.txt coppie.txt pontiA.txt posricalc.txt; do
  grep -qF "$f" <<<"$help" || { echo "--help does not name $f"; exit 1; }
done
for k in "${drawn[@]}"; do
  rm -rf "$dir/drawn"
  mkdir "$dir/drawn"
  "$bench" run "$k" | drop_seconds >"$dir/drawn.plain"
  "$bench" run "$k" --debug "$dir/drawn" | drop_seconds >"$dir/drawn.debug"
  diff "$dir/drawn.plain" "$dir/drawn.debug"
  expected="archiI.txt gemelli.txt incrociI.txt regioni.txt tmpreg.txt tmpreg00.txt tmpreg01.txt"
  case "$k" in
    *.kns | *.KNS) expected="archiD.txt archiI.txt gemelli.txt incrociD.txt incrociI.txt regioni.txt tmpreg.txt tmpreg00.txt tmpreg01.txt" ;;
  esac
  tables=$(cd "$dir/drawn" && ls | { grep -E '^(archi|incroci|gemelli|regioni|tmpreg)' || true; } | tr '\n' ' ' | sed 's/ $//')
  [ "$tables" = "$expected" ] || { echo "$k: table dumps $tables, expected $expected"; exit 1; }
  # The run returns to the knot it opened: its crossings (the second column), two arcs each, n + 2 regions.
  n=$(cut -f2 "$dir/drawn.plain" | head -1)
  for f in archiI:$((2 * n)) incrociI:$n gemelli:$((2 * n)) tmpreg:$((n + 2)); do
    lines=$(wc -l <"$dir/drawn/${f%%:*}.txt")
    [ "$lines" -eq "${f##*:}" ] || { echo "$k: ${f%%:*}.txt has $lines lines, expected ${f##*:}"; exit 1; }
  done
  for a in $(seq 1 $((2 * n))); do
    grep -q "^$a [0-9]*[-+]/[0-9]*[-+] gem>[0-9]*-[0-9]* r1>[1-9][0-9]* r2>[1-9][0-9]*\$" "$dir/drawn/archiI.txt" ||
      { echo "$k: archiI.txt has no line for arc $a with its passages and regions"; exit 1; }
  done
done
echo "run --debug writes the dumps and prints what run prints"
