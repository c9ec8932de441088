#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine
# and prepares the Wine prefix. Safe to run again: every step checks first.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${LORVANE_BUILD_DIR:-$ROOT/build}"
DEPS="$BUILD/deps"
export WINEPREFIX="${WINEPREFIX:-$BUILD/wineprefix}"

SUDO=""
if [ "$(id -u)" != 0 ]; then SUDO="sudo"; fi

packages=(g++-mingw-w64-i686 mingw-w64-tools wine wine32:i386 wine64 xvfb xauth
          libz-mingw-w64-dev googletest cmake make python3 dpkg-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done

if ! grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ && ! grep -qs '^deb-src' /etc/apt/sources.list; then
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

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -q
  if [ ${#missing[@]} -gt 0 ]; then
    $SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
fi

# libpng, cross-compiled against the mingw zlib into the build tree.
PNG_PREFIX="$DEPS/libpng"
if [ ! -f "$PNG_PREFIX/lib/libpng16.a" ]; then
  mkdir -p "$DEPS/src"
  (
    cd "$DEPS/src"
    if ! ls -d libpng1.6-*/ >/dev/null 2>&1; then
      apt-get source --download-only libpng1.6/bookworm
      dpkg-source -x --skip-patches libpng1.6_*.dsc
    fi
    src="$(ls -d "$DEPS"/src/libpng1.6-*/ | head -n1)"
    rm -rf "$DEPS/libpng-build"
    mkdir -p "$DEPS/libpng-build"
    cd "$DEPS/libpng-build"
    cmake "$src" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PNG_PREFIX" \
      -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
      -DPNG_BUILD_ZLIB=OFF -DSKIP_INSTALL_PROGRAMS=ON >/dev/null
    cmake --build . -j"$(nproc)" >/dev/null
    cmake --install . >/dev/null
  )
fi

# GoogleTest, from Debian's sources, built with the cross compiler.
GTEST_PREFIX="$DEPS/googletest"
if [ ! -f "$GTEST_PREFIX/lib/libgtest.a" ]; then
  rm -rf "$DEPS/googletest-build"
  mkdir -p "$DEPS/googletest-build"
  (
    cd "$DEPS/googletest-build"
    cmake /usr/src/googletest -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$GTEST_PREFIX" \
      -Dgtest_disable_pthreads=OFF -DBUILD_GMOCK=ON >/dev/null
    cmake --build . -j"$(nproc)" >/dev/null
    cmake --install . >/dev/null
  )
fi

# One Wine prefix for the program and its tests: 64-bit, so that the 32-bit
# program runs under WOW64 as it does on 64-bit Windows.
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$WINEPREFIX"
  WINEDEBUG=-all WINEARCH=win64 wineboot -i >"$BUILD/wineboot.log" 2>&1 || true
  wineserver -w || true
fi
if ! grep -qs '"ShowCrashDialog"=dword:00000000' "$WINEPREFIX/user.reg"; then
  # Without this a crashing program waits in winedbg's dialog forever.
  WINEDEBUG=-all wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
    >>"$BUILD/wineboot.log" 2>&1
  wineserver -w || true
fi
