#!/usr/bin/env bash
# Sets up a fresh machine, builds both programs and every test, and runs the
# tests under Wine.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$ROOT/scripts/setup.sh"
lorvane_build
LORVANE_FORCE_XVFB=1 lorvane_start_wine
cd "$LORVANE_BUILD_DIR/cmake"
# The test programs run side by side, each on a Wine desktop of its own; the
# ones that move the mouse pointer take turns (a ctest resource lock).
# Wine's X11 driver now and then ends a program with an X error (BadMatch on
# X_CreateGC) that has nothing to do with the code under test; a test program
# that fails is run once more, and its first output stays in the log.
ctest --output-on-failure -j"${LORVANE_TEST_JOBS:-$(nproc)}" --repeat until-pass:2 "$@"
