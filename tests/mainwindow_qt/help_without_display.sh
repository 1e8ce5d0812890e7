#!/usr/bin/env bash
# "trevalon --help" where there is no display at all: the help is printed (the options are read before any
# window), and it names every dump that --debug writes.
set -euo pipefail
program="$1"
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ASAN_OPTIONS=detect_leaks=0 "$program" --help)
for name in --developer --debug archi.txt archiA.txt incrociA.txt archiI.txt incrociI.txt archiD.txt \
  incrociD.txt gemelli.txt regioni.txt tmpreg.txt tmpreg00.txt tmpreg01.txt coppie.txt ng.txt ngt2.txt \
  pontiA.txt pontiP.txt ponteok.txt posricalc.txt errbordo.txt errbordo.xlsx celdis.txt celdis2.txt \
  'celdis_<stage>_<step>_.txt' ruota.txt; do
  grep -qF -- "$name" <<<"$out" || { echo "--help does not name $name"; exit 1; }
done
echo "--help prints without a display and names every dump"
