#!/usr/bin/env bash
# Runs one test executable under Wine for ctest. scripts/test.sh has started
# the display and the wineserver that every entry shares.
set -u
exe="$1"; shift
if [ -z "${DISPLAY:-}" ]; then
  echo "run-under-wine: no DISPLAY; tests that show windows will fail (scripts/test.sh starts one)"
fi
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
# Wine's own services inherit a pipe and keep it open, so the output goes
# through a file rather than straight to ctest. The time limit stays below
# ctest's, so that a hung test program is ended here and its output shown.
WINEDEBUG=-all timeout -k 10 "${LORVANE_TEST_TIMEOUT:-600}" \
  wine "$exe" --gtest_color=no "$@" >"$out" 2>&1
rc=$?
cat "$out"
if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
  echo "run-under-wine: $(basename "$exe") did not end in time and was stopped"
fi
exit $rc
