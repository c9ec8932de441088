# Shared settings of the run and test scripts: the build folder and the Wine prefix.
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
export LORVANE_BUILD_DIR="${LORVANE_BUILD_DIR:-$ROOT/build}"
mkdir -p "$LORVANE_BUILD_DIR"
export WINEPREFIX="${WINEPREFIX:-$LORVANE_BUILD_DIR/wineprefix}"
export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"

# "emulated" when the set-up found that 32-bit x86 programs run here only
# through qemu; then the test programs are also built for x86-64 (see
# lorvane_split_tests).
lorvane_i386_mode() {
  cat "$LORVANE_BUILD_DIR/i386-mode" 2>/dev/null || echo native
}

# True when the test suite runs on a 64-bit build natively and only the tests
# about being a 32-bit program run on the 32-bit build. LORVANE_SPLIT_TESTS=1
# asks for that layout on a machine that runs 32-bit programs too.
lorvane_split_tests() {
  [ "$(lorvane_i386_mode)" = emulated ] || [ "${LORVANE_SPLIT_TESTS:-}" = 1 ]
}

# lorvane_configure ARCH DIR [cmake options...]: ARCH is i686 or x86_64.
lorvane_configure() {
  local arch="$1" dir="$2"
  shift 2
  local launcher=()
  # ccache, where installed, keeps the compiler's results between builds.
  if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  fi
  mkdir -p "$dir"
  cmake -S "$ROOT" -B "$dir" \
    -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" \
    -DLORVANE_DEPS="$LORVANE_BUILD_DIR/deps/$arch" "${launcher[@]}" "$@" \
    >"$dir/configure.log" 2>&1 \
    || { cat "$dir/configure.log"; return 1; }
}

# The 32-bit build: the product, and the tests that run on it. Arguments go
# to "cmake --build" (a --target, say).
lorvane_build() {
  local tests=all
  if lorvane_split_tests; then tests=wow64; fi
  lorvane_configure i686 "$LORVANE_BUILD_DIR/cmake" -DLORVANE_TESTS="$tests" || return 1
  cmake --build "$LORVANE_BUILD_DIR/cmake" -j"$(nproc)" "$@"
}

# The 64-bit build of the programs and every test program.
lorvane_build64() {
  lorvane_configure x86_64 "$LORVANE_BUILD_DIR/cmake64" -DLORVANE_TESTS=all || return 1
  cmake --build "$LORVANE_BUILD_DIR/cmake64" -j"$(nproc)" "$@"
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
