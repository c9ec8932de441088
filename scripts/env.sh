# Shared settings of the run and test scripts: the build folder and the Wine prefix.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export LORVANE_BUILD_DIR="${LORVANE_BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="${WINEPREFIX:-$LORVANE_BUILD_DIR/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

lorvane_build() {
  cmake -S "$ROOT" -B "$LORVANE_BUILD_DIR/cmake" \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
    -DLORVANE_DEPS="$LORVANE_BUILD_DIR/deps" >"$LORVANE_BUILD_DIR/configure.log" 2>&1 \
    || { cat "$LORVANE_BUILD_DIR/configure.log"; return 1; }
  cmake --build "$LORVANE_BUILD_DIR/cmake" -j"$(nproc)" "$@"
}

# Starts a virtual display when there is none, and one wineserver kept alive
# for everything that follows; both are stopped when the calling script ends.
lorvane_start_wine() {
  if [ -z "${DISPLAY:-}" ] || [ "${LORVANE_FORCE_XVFB:-}" = 1 ]; then
    local n=$(( 90 + RANDOM % 400 ))
    while [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    LORVANE_XVFB_PID=$!
    export DISPLAY=":$n"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  fi
  # "wineserver -p" fails (exit code 2) when a wineserver of this prefix
  # already runs. One that is not persistent (left by the set-up's last wine
  # command) ends within seconds; a persistent one is used as it is.
  if ! wineserver -p 2>/dev/null; then
    timeout 10 wineserver -w 2>/dev/null || true
    wineserver -p 2>/dev/null || true
  fi
  trap lorvane_stop_wine EXIT
}

lorvane_stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w >/dev/null 2>&1 || true
  [ -n "${LORVANE_XVFB_PID:-}" ] && kill "$LORVANE_XVFB_PID" 2>/dev/null || true
}
