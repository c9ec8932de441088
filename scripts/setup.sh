#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine
# and prepares the Wine prefix. Safe to run again: every step checks first.
set -euo pipefail
# A step that fails ends the set-up; say which, so that the run does not end
# with a bare exit code.
trap 'echo "set-up: failed at line $LINENO: $BASH_COMMAND" >&2' ERR

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${LORVANE_BUILD_DIR:-$ROOT/build}"
DEPS="$BUILD/deps"
export WINEPREFIX="${WINEPREFIX:-$BUILD/wineprefix}"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi
mkdir -p "$BUILD"

# --- 32-bit x86 Linux programs -------------------------------------------
# Wine starts every 32-bit Windows program through its 32-bit loader, an i386
# Linux program. Some kernels refuse those ("Exec format error"); there they
# run through Debian's user-mode emulator once an i386 handler is registered
# with binfmt_misc (Debian's package registers none for i386 on amd64 hosts).
BINFMT=/proc/sys/fs/binfmt_misc
I386_MAGIC='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
I386_MASK='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
QEMU_I386=/usr/bin/qemu-i386-static

# Runs a 96-byte static i386 program that exits with code 42: true when the
# machine runs 32-bit x86 programs, by itself or through a handler.
runs_i386() {
  local probe
  probe="$(mktemp "${TMPDIR:-/tmp}/lorvane-i386.XXXXXX")"
  printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' >"$probe"
  chmod +x "$probe"
  local rc=0
  "$probe" 2>/dev/null || rc=$?
  rm -f "$probe"
  [ "$rc" = 42 ]
}

# True when an enabled binfmt_misc handler sends i386 programs to qemu.
i386_emulated() {
  local f
  for f in "$BINFMT"/*; do
    [ -f "$f" ] || continue
    case "$(basename "$f")" in register|status) continue ;; esac
    if grep -qx enabled "$f" && grep -q '^interpreter .*qemu-i386' "$f"; then
      return 0
    fi
  done
  return 1
}

register_i386_handler() {
  if [ ! -e "$BINFMT/register" ]; then
    $SUDO mount -t binfmt_misc binfmt_misc "$BINFMT" || return 1
  fi
  # A handler of that name left disabled or pointing elsewhere is replaced.
  if [ -e "$BINFMT/qemu-i386" ]; then
    echo -1 | $SUDO tee "$BINFMT/qemu-i386" >/dev/null || return 1
  fi
  printf '%s' ":qemu-i386:M::$I386_MAGIC:$I386_MASK:$QEMU_I386:F" \
    | $SUDO tee "$BINFMT/register" >/dev/null
}

# "native": 32-bit programs run by themselves, and every test runs on the
# 32-bit build. "emulated": they run only through qemu; the test programs are
# also built for x86-64 and run natively, and the tests about being a 32-bit
# program run on the 32-bit build under the emulator.
if i386_emulated; then
  I386_MODE=emulated
elif runs_i386; then
  I386_MODE=native
else
  I386_MODE=emulated
fi

packages=(g++-mingw-w64-i686 mingw-w64-tools wine wine32:i386 wine64 xvfb xauth
          libz-mingw-w64-dev googletest cmake make python3 dpkg-dev python3-fonttools)
if [ "$I386_MODE" = emulated ] || [ "${LORVANE_SPLIT_TESTS:-}" = 1 ]; then
  packages+=(g++-mingw-w64-x86-64)
fi

# The emulator comes from bookworm-backports: bookworm's own qemu 7.2 treats
# mmap's MAP_FIXED_NOREPLACE as a mere hint and searches the whole address
# space instead of failing, which Wine's memory set-up does thousands of times,
# so that every 32-bit Windows program takes about 50 s to start (qemu 10:
# about 1.5 s). Backports have a low priority: only this package comes from
# there.
# dpkg-query fails when the package is not installed yet; that is a version
# of none, not an error that ends the set-up.
qemu_major="$( { dpkg-query -W -f='${Version}' qemu-user-static 2>/dev/null || true; } | sed -E 's/^[0-9]+://; s/[^0-9].*//')"
if [ "$I386_MODE" = emulated ] && [ "${qemu_major:-0}" -lt 8 ]; then
  need_qemu=1
  if [ ! -f /etc/apt/sources.list.d/lorvane-backports.sources ]; then
    $SUDO tee /etc/apt/sources.list.d/lorvane-backports.sources >/dev/null <<'SRC'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm-backports
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
    need_update=1
  fi
fi

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

if ! grep -rqs '^Types:.*deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
  # libpng is built from Debian's own source package; it needs a deb-src entry
  # for the same archive that the binary packages come from.
  $SUDO tee /etc/apt/sources.list.d/lorvane-src.sources >/dev/null <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  need_update=1
fi

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ] || [ -n "${need_qemu:-}" ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -q
  if [ ${#missing[@]} -gt 0 ]; then
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
fi
if [ -n "${need_qemu:-}" ]; then
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends \
    -t bookworm-backports qemu-user-static
  # A handler registered with the "F" flag keeps the emulator file it opened:
  # register it again so that the new one runs.
  REREGISTER=1
fi

if [ "$I386_MODE" = emulated ] && { ! i386_emulated || [ -n "${REREGISTER:-}" ]; }; then
  if ! register_i386_handler || ! runs_i386; then
    cat >&2 <<MSG
setup: this machine cannot run 32-bit x86 Linux programs, which Wine needs to
start 32-bit Windows programs. The kernel refuses them, and registering
$QEMU_I386 as their handler in $BINFMT failed: mounting binfmt_misc
and writing its "register" file need root (or sudo) and a kernel with
binfmt_misc. Register the handler by hand (see the set-up script), or use a
machine whose kernel runs 32-bit programs.
MSG
    exit 1
  fi
fi
echo "$I386_MODE" >"$BUILD/i386-mode"

# The cross-built libraries, one set per processor: libpng and expat from
# Debian's source packages, GoogleTest from Debian's sources.
fetch_source() {  # package/suite, folder glob
  mkdir -p "$DEPS/src"
  (
    cd "$DEPS/src"
    if ! ls -d $2/ >/dev/null 2>&1; then
      # The package lists may have been cleaned since the last update.
      apt-get source --download-only "$1" \
        || { $SUDO apt-get update -q && apt-get source --download-only "$1"; }
      dpkg-source -x --skip-patches "${1%%/*}"_*.dsc
    fi
  )
}

build_deps() {  # arch: i686 or x86_64
  local arch="$1" prefix="$DEPS/$1" toolchain="$ROOT/cmake/mingw-$1.cmake" src
  local jobs
  jobs="$(nproc)"
  if [ ! -f "$prefix/libpng/lib/libpng16.a" ]; then
    fetch_source libpng1.6/bookworm 'libpng1.6-*'
    src="$(ls -d "$DEPS"/src/libpng1.6-*/ | head -n1)"
    rm -rf "$DEPS/build-$arch-libpng"
    cmake -S "$src" -B "$DEPS/build-$arch-libpng" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix/libpng" \
      -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
      -DPNG_BUILD_ZLIB=OFF -DSKIP_INSTALL_PROGRAMS=ON >/dev/null
    cmake --build "$DEPS/build-$arch-libpng" -j"$jobs" >/dev/null
    cmake --install "$DEPS/build-$arch-libpng" >/dev/null
  fi
  # expat, the XML parser of the markup engine, static with UTF-16 (wchar_t)
  # characters: libexpatw.a.
  if [ ! -f "$prefix/expat/lib/libexpatw.a" ]; then
    fetch_source expat/bookworm 'expat-*'
    src="$(ls -d "$DEPS"/src/expat-*/ | head -n1)"
    if [ -d "$src/expat" ]; then src="$src/expat"; fi
    rm -rf "$DEPS/build-$arch-expat"
    cmake -S "$src" -B "$DEPS/build-$arch-expat" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix/expat" \
      -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF \
      -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF \
      -DEXPAT_CHAR_TYPE=wchar_t >/dev/null
    cmake --build "$DEPS/build-$arch-expat" -j"$jobs" >/dev/null
    cmake --install "$DEPS/build-$arch-expat" >/dev/null
  fi
  if [ ! -f "$prefix/googletest/lib/libgtest.a" ]; then
    rm -rf "$DEPS/build-$arch-googletest"
    cmake -S /usr/src/googletest -B "$DEPS/build-$arch-googletest" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix/googletest" \
      -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=ON >/dev/null
    cmake --build "$DEPS/build-$arch-googletest" -j"$jobs" >/dev/null
    cmake --install "$DEPS/build-$arch-googletest" >/dev/null
  fi
}

build_deps i686
if [ "$I386_MODE" = emulated ] || [ "${LORVANE_SPLIT_TESTS:-}" = 1 ]; then
  build_deps x86_64
fi

# One Wine prefix for the program and its tests: 64-bit, so that the 32-bit
# program runs under WOW64 as it does on 64-bit Windows.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  WINEDEBUG=-all WINEARCH=win64 wineboot -i >"$BUILD/wineboot.log" 2>&1 || true
  wineserver -w || true
fi

# Settings of the prefix, written once. No "wineserver -w" after them: a
# persistent wineserver (scripts/run.sh leaves one) would never end; the
# server writes its registry to disk by itself.
#  - Without ShowCrashDialog=0 a crashing program waits in winedbg's dialog
#    forever.
#  - The test programs (and the programs they start, which inherit it) run on
#    a virtual desktop of their own: on a bare X display without a window
#    manager Wine waits two seconds for every window it hides, which would
#    add two seconds to every message box a test answers. Each program has
#    its own desktop, so that programs running side by side (ctest -j) do
#    not take the foreground and the focus from each other.
#    The test programs and tools are those that tests/CMakeLists.txt defines.
mapfile -t test_programs < <(sed -nE 's/^lorvane_(test|tool)\(([A-Za-z0-9_]+).*/\2/p' "$ROOT/tests/CMakeLists.txt")
if [ ${#test_programs[@]} -eq 0 ]; then
  echo "set-up: no test programs found in tests/CMakeLists.txt" >&2
  exit 1
fi
settings="$BUILD/wine-settings.reg"
{
  echo 'Windows Registry Editor Version 5.00'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\WineDbg]'
  echo '"ShowCrashDialog"=dword:00000000'
  echo
  echo '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]'
  echo '"LorvaneTests"="1280x1024"'
  for t in "${test_programs[@]}"; do
    echo "\"Lorvane$t\"=\"1280x1024\""
  done
  for t in "${test_programs[@]}"; do
    echo
    echo "[HKEY_CURRENT_USER\\Software\\Wine\\AppDefaults\\$t.exe\\Explorer]"
    echo "\"Desktop\"=\"Lorvane$t\""
  done
} >"$settings"
applied="$WINEPREFIX/.lorvane-settings"
if ! cmp -s "$settings" "$applied"; then
  WINEDEBUG=-all wine regedit /S "$(winepath -w "$settings" 2>/dev/null)" >>"$BUILD/wineboot.log" 2>&1
  cp "$settings" "$applied"
fi
