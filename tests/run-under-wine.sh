#!/usr/bin/env bash
# Runs one test executable under Wine for ctest. scripts/test.sh has started
# the display and the wineserver that every entry shares.
set -u
exe="$1"; shift
out="$(mktemp)"
# Wine's own services inherit a pipe and keep it open, so the output goes
# through a file rather than straight to ctest.
WINEDEBUG=-all wine "$exe" --gtest_color=no "$@" >"$out" 2>&1
rc=$?
cat "$out"
rm -f "$out"
exit $rc
