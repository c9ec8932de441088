#!/usr/bin/env bash
# Runs one test executable under Wine for ctest. scripts/test.sh has started
# the display and the wineserver that every entry shares.
set -u
exe="$1"; shift
if [ -z "${DISPLAY:-}" ]; then
  echo "run-under-wine: no DISPLAY; tests that show windows will fail (scripts/test.sh starts one)"
fi

# A 64-bit program starts through Wine's 64-bit loader. The "wine" command
# always goes through the 32-bit loader first, which on a machine that runs
# 32-bit programs only through an emulator costs an emulated start for nothing.
loader=wine
pe_offset="$(od -An -tu4 -j60 -N4 "$exe" 2>/dev/null | tr -d ' ')"
if [ -n "$pe_offset" ] && [ "$(od -An -tx2 -j$((pe_offset + 4)) -N2 "$exe" | tr -d ' ')" = 8664 ] \
   && [ -x /usr/lib/wine/wine64 ]; then
  loader=/usr/lib/wine/wine64
fi

# The whole output also goes to the log folder that scripts/test.sh reads to
# tell a known failure of the platform from one of ours.
name="$(basename "$exe" .exe)"
out="$(mktemp)"
trap 'rm -f "$out"' EXIT
# Wine's own services inherit a pipe and keep it open, so the output goes
# through a file rather than straight to ctest. The time limit stays below
# ctest's, so that a hung test program is ended here and its output shown.
WINEDEBUG=-all timeout -k 10 "${LORVANE_TEST_TIMEOUT:-600}" \
  "$loader" "$exe" --gtest_color=no "$@" >"$out" 2>&1
rc=$?
if [ $rc -eq 124 ] || [ $rc -eq 137 ]; then
  echo "run-under-wine: $name did not end in time and was stopped" >>"$out"
fi
echo "run-under-wine: $name exited with code $rc" >>"$out"
cat "$out"
if [ -n "${LORVANE_TEST_LOG_DIR:-}" ]; then
  mkdir -p "$LORVANE_TEST_LOG_DIR"
  cp "$out" "$LORVANE_TEST_LOG_DIR/$name.log"
fi
exit $rc
