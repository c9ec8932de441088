#!/usr/bin/env bash
# Sets up a fresh machine, builds Lorvane and starts it under Wine with the
# given arguments (none opens the main window).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
bash "$ROOT/scripts/setup.sh" >"$LORVANE_BUILD_DIR/setup.log" 2>&1 || { cat "$LORVANE_BUILD_DIR/setup.log"; exit 1; }
lorvane_build --target Lorvane LorvaneHelper32 >"$LORVANE_BUILD_DIR/build.log" 2>&1 || { tail -50 "$LORVANE_BUILD_DIR/build.log"; exit 1; }
lorvane_start_wine
# Drive definitions live as long as the wineserver: keep it (and the display)
# running after this script so that a mounted drive stays visible to other
# Wine programs; `wineserver -k` ends both.
trap - EXIT
set +e
wine "$LORVANE_BUILD_DIR/cmake/bin/Lorvane.exe" "$@" >"$LORVANE_BUILD_DIR/wine-run.log" 2>&1
rc=$?
echo "Lorvane.exe exited with code $rc"
exit $rc
