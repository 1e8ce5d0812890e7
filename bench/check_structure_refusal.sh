#!/usr/bin/env bash
# trevalon-bench structure refuses what build (and the window) refuse by the plane check, in build's own
# words and format ("NAME<tab>error<tab>REASON"), and its lines for accepted codes keep their columns
# (crossings, arcs, twins, regions, microseconds).
# One case a line: the file's name | its Gauss code | its letters | what structure prints after the name
# ("refused" for build's plane refusal, else the four counts).
set -uo pipefail
bench="$1"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
cases=(
  "loop2.gau|1,2,-1,-2|1,1|refused"
  "loop2b.gau|1,-2,-1,2|1,-1|refused"
  "odd3.gau|1,2,3,-1,-2,-3|1,1,1|refused"
  "letters.gau|1,-2,3,-1,2,-3|1,1,-1|refused"
  "regions.gau|1,-2,3,-1,4,-3,2,-4|1,-1,1,-1|refused"
  "trefoil.gau|1,-2,3,-1,2,-3|1,1,1|3	6	6	5"
  "eight.gau|-1,2,-3,1,-4,3,-2,4|1,-1,-1,1|4	8	8	6"
  "kink.gau|1,-1|1|1	2	2	3"
)
failed=0
for c in "${cases[@]}"; do
  IFS='|' read -r name code letters want <<<"$c"
  printf 'GaussCode=%s\r\nIndices=%s\r\n' "$code" "$letters" >"$dir/$name"
  got=$("$bench" structure "$dir/$name" 2>/dev/null)
  src=$?
  built=$("$bench" build "$dir/$name" 2>/dev/null)
  if [[ $want == refused ]]; then
    if [[ $built != "$name	error	the over/under letters cannot be drawn in the plane"* ]]; then
      echo "FAIL $name: build does not refuse it by the plane check: $built"
      failed=1
    elif [[ $got != "$built" || $src != 1 ]]; then
      echo "FAIL $name: structure says \"$got\" (status $src), build \"$built\""
      failed=1
    else
      echo "ok   $name: refused as build refuses it"
    fi
  else
    counts=$(cut -f2-5 <<<"$got")
    if [[ $counts != "$want" || $src != 0 || $(cut -f1 <<<"$got") != "$name" ||
      ! $(cut -f6 <<<"$got") =~ ^[0-9]+$ || $(cut -f3 <<<"$built") != valid ]]; then
      echo "FAIL $name: structure says \"$got\" (status $src), not the counts \"$want\"; build: $built"
      failed=1
    else
      echo "ok   $name: $got"
    fi
  fi
done
# Files that are not read: both commands say why on one line, in the same words.
: >"$dir/empty.gau"
printf 'hello\nworld\n' >"$dir/text.gau"
long="$dir/$(printf 'k%.0s' {1..300}).gau"
for f in "$dir/empty.gau|No Fikle Knot;The file is empty: " "$dir/text.gau|No Fikle Knot;The file holds no key" \
  "$long|The name is too long for the system: "; do
  IFS='|' read -r file text <<<"$f"
  name=$(basename "$file")
  for command in structure build; do
    said=$("$bench" $command "$file" 2>/dev/null)
    if [[ $said != "$name	error	$text"* || $(wc -l <<<"$said") != 1 ]]; then
      echo "FAIL $command ${name:0:20}: not one line \"$text...\": ${said:0:400}"
      failed=1
    fi
  done
done
# Several files at once: the refused one is said in its place, the others are counted, and the status is 1.
"$bench" structure "$dir/trefoil.gau" "$dir/loop2.gau" "$dir/kink.gau" >"$dir/all" 2>/dev/null
src=$?
if [[ $src != 1 || $(cut -f1,2 "$dir/all" | tr '\t\n' ' ;') != "trefoil.gau 3;loop2.gau error;kink.gau 1;" ]]; then
  echo "FAIL several files: status $src:"
  cat "$dir/all"
  failed=1
fi
[[ $failed == 0 ]] && echo "structure refuses what build refuses by the plane check"
exit $failed
