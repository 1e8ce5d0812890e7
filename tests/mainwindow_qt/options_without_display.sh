#!/usr/bin/env bash
# The options the program answers where there is no display at all (no DISPLAY, WAYLAND_DISPLAY or
# QT_QPA_PLATFORM): each is read before any window, so none aborts for want of a display.
# One case a line: the arguments | the exit code | the stream that answers (out or err) | a text it holds.
set -uo pipefail
program="$1"
cases=(
  "--version|0|out|Trevalon 4.1"
  "-v|0|out|Trevalon 4.1"
  "--developer --version|0|out|Trevalon 4.1"
  "-platform offscreen --version|0|out|Trevalon 4.1"
  "--style=Fusion -reverse --version|0|out|Trevalon 4.1"
  "--help-all|0|out|--developer"
  "--help --bogus|0|out|--version"
  "--bogus|2|err|Unknown option 'bogus'."
  "-x|2|err|Unknown option 'x'."
  "--developer --debug --nodebug|2|err|Unknown option 'nodebug'."
  "--version=1|2|err|Unexpected value after '--version'."
  "--bogus|2|err|trevalon --help"
)
failed=0
for c in "${cases[@]}"; do
  IFS='|' read -r args want stream text <<<"$c"
  read -ra argv <<<"$args"
  out=$(mktemp) err=$(mktemp)
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM ASAN_OPTIONS=detect_leaks=0 \
    "$program" "${argv[@]}" >"$out" 2>"$err" </dev/null
  rc=$?
  if [[ $stream == out ]]; then said=$out other=$err; else said=$err other=$out; fi
  if [[ $rc != "$want" ]]; then
    echo "FAIL '$args': exit $rc, not $want; it said: $(head -c 400 "$err")"
    failed=1
  elif ! grep -qF -- "$text" "$said"; then
    echo "FAIL '$args': the $stream stream does not hold \"$text\": $(head -c 400 "$said")"
    failed=1
  elif [[ -s $other ]]; then
    echo "FAIL '$args': the other stream is not empty: $(head -c 400 "$other")"
    failed=1
  else
    echo "ok   '$args': exit $rc, \"$text\""
  fi
  rm -f "$out" "$err"
done
[[ $failed == 0 ]] && echo "every option is answered without a display"
exit $failed
