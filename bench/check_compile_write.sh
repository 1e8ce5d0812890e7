#!/usr/bin/env bash
# trevalon-bench compile --write: writes what the designer's "Make .KNO" writes, and no more. A knot source
# may name anything as its picture; only a picture is copied, beside the source, and the copy never
# replaces the source, the knot file or a file that is not a picture. Run from another folder, so that a
# relative picture name is taken from the source's folder and nothing else. A file-size limit makes a write
# fail with its reason, not end the harness. A picture is one the designer's own decoder decodes: the third
# argument says whether the harness has it ("decodes", built with Qt) or not ("no-decoder"), when it copies
# no picture and says why.
set -euo pipefail
bench="$1"
trefoil="$2/Trefoil.kns"
eight="$2/FigureEight.kns"
decoder="${3:-decodes}"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
mkdir -p "$dir/home/ann/knots" "$dir/elsewhere"
knots="$dir/home/ann/knots"
cd "$dir/elsewhere"
# Two pictures of one white and one blue pixel.
gif() { printf 'GIF89a\001\000\001\000\200\000\000%b\000\000\000!\371\004\001\000\000\000\000,\000\000\000\000\001\000\001\000\000\002\002D\001\000;' "$1"; }
gif '\377\377\377' >"$knots/pic.gif"
gif '\000\000\377' >"$dir/elsewhere/pic.gif"
echo "secret" >"$dir/home/ann/notes.txt"
fail() {
  echo "$1"
  exit 1
}

# The source with the given header picture, written as the designer writes it.
source_with() {
  { printf '23,33,Source=%s,Size=1\r\n' "$1"; tail -n +2 "$trefoil"; } >"$knots/$2"
}
listing() { (cd "$knots" && ls -A | sort | tr '\n' ' '); }

"$bench" compile "$trefoil" >"$dir/plain"
trefoil_line=$(cut -f2- "$dir/plain")

# Names that are no picture, or that lead out of the user's folder: nothing copied, the source and the knot
# file written and opening as the trefoil.
for hostile in ../../../../../../../../../../etc/passwd /proc/self/environ ../notes.txt x.kno x.kns /dev/zero; do
  rm -f "$knots"/x.*
  echo "Object=old" >"$knots/x.kno"
  source_with "$hostile" x.kns
  out=$("$bench" compile "$knots/x.kns" --write) || fail "compile --write failed for Source=$hostile: $out"
  [ "$(head -1 <<<"$out" | cut -f2-)" = "$trefoil_line" ] || fail "Source=$hostile: not the trefoil: $out"
  grep -q "could not be loaded" <<<"$out" || fail "Source=$hostile: not said: $out"
  [ "$(listing)" = "pic.gif x.kno x.kns " ] || fail "Source=$hostile left: $(listing)"
  [ "$(head -c 7 "$knots/x.kno")" = "Object=" ] && ! grep -q "Object=old" "$knots/x.kno" ||
    fail "Source=$hostile: the knot file is not the compiled one"
  again=$("$bench" compile "$knots/x.kns") || fail "Source=$hostile: the source no longer compiles"
  [ "$(cut -f2- <<<"$again")" = "$trefoil_line" ] || fail "Source=$hostile: the source changed: $again"
done

# A FIFO as the picture is refused at once.
rm -f "$knots"/x.*
mkfifo "$knots/pipe.gif"
source_with pipe.gif x.kns
out=$(timeout 20 "$bench" compile "$knots/x.kns" --write) || fail "a FIFO picture: status $?: $out"
grep -q "not a regular file" <<<"$out" || fail "a FIFO picture: not said: $out"
rm -f "$knots/pipe.gif"

# Pictures the designer's decoder refuses, so the designer copies neither: a text file whose first bytes are
# "BM", reached through a link to outside the folder, and a PNG header claiming 100000 x 100000 pixels.
printf 'BM my notes, not a picture\n' >"$dir/home/ann/bm.txt"
ln -s ../bm.txt "$knots/pic.bmp"
printf '\211\120\116\107\015\012\032\012\000\000\000\015\111\110\104\122\000\001\206\240\000\001\206\240\010\002\000\000\000\047\060\234\237\000\000\000\013\111\104\101\124\170\234\143\140\000\003\000\000\007\000\001\262\206\254\364\000\000\000\000\111\105\116\104\256\102\140\202' >"$knots/huge.png"
if [ "$decoder" = decodes ]; then why="the picture cannot be decoded"; else why="built without Qt"; fi
for refused in pic.bmp huge.png; do
  rm -f "$knots"/x.*
  source_with "$refused" x.kns
  out=$("$bench" compile "$knots/x.kns" --write) || fail "Source=$refused: status $?: $out"
  grep -q "could not be loaded (.*$why" <<<"$out" || fail "Source=$refused: not said: $out"
  [ "$(listing)" = "huge.png pic.bmp pic.gif x.kno x.kns " ] || fail "Source=$refused left: $(listing)"
  [ "$(head -c 7 "$knots/x.kno")" = "Object=" ] || fail "Source=$refused: the knot file was not written"
done
[ "$(cat "$dir/home/ann/bm.txt")" = "BM my notes, not a picture" ] || fail "the linked text file changed"
rm -f "$knots/pic.bmp" "$knots/huge.png"

# A relative picture name is the source's folder's (not the working folder's pic.gif): copied beside it.
rm -f "$knots"/x.*
source_with pic.gif x.kns
out=$("$bench" compile "$knots/x.kns" --write)
if [ "$decoder" = decodes ]; then
  cmp -s "$knots/pic.gif" "$knots/x.gif" || fail "the picture was not copied: $out"
  grep -q "^  picture	$knots/x.gif$" <<<"$out" || fail "the copy is not said: $out"
else
  grep -q "could not be loaded (this trevalon-bench is built without Qt" <<<"$out" || fail "no decoder not said: $out"
  [ "$(listing)" = "pic.gif x.kno x.kns " ] || fail "without a decoder left: $(listing)"
fi

# A file that is not a picture where the copy would go: kept, said, and the status is 1.
if [ "$decoder" = decodes ]; then
  rm -f "$knots"/x.*
  echo "my notes" >"$knots/x.gif"
  source_with pic.gif x.kns
  if out=$("$bench" compile "$knots/x.kns" --write); then fail "a refused copy gave status 0: $out"; fi
  grep -q "^  warning	.*is there and is not a picture" <<<"$out" || fail "the refused copy is not said: $out"
  [ "$(cat "$knots/x.gif")" = "my notes" ] || fail "the file where the copy would go was replaced"
  [ -s "$knots/x.kno" ] || fail "the knot file was not written"
fi

# A file-size limit smaller than the knot source: the write fails with its reason, the old source stays,
# and the harness is not ended by the signal.
rm -f "$knots"/x.*
cp "$eight" "$knots/x.kns"
cp "$knots/x.kns" "$dir/before.kns"
set +e
out=$(ulimit -f 1 && "$bench" compile "$knots/x.kns" --write 2>&1)
status=$?
set -e
[ "$status" = 1 ] || fail "under a file-size limit the status is $status: $out"
grep -q "File too large" <<<"$out" || fail "under a file-size limit the reason is not said: $out"
cmp -s "$dir/before.kns" "$knots/x.kns" || fail "under a file-size limit the source changed"
[ "$(listing)" = "pic.gif x.kns " ] || fail "under a file-size limit left: $(listing)"
echo "compile --write copies only a picture and only beside the source"
