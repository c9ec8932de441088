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
          libz-mingw-w64-dev googletest cmake make python3 dpkg-dev python3-fonttools)

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
      # The package lists may have been cleaned since the last update.
      apt-get source --download-only libpng1.6/bookworm \
        || { $SUDO apt-get update -q && apt-get source --download-only libpng1.6/bookworm; }
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

# expat, the XML parser of the markup engine, from Debian's sources, built
# static with UTF-16 (wchar_t) characters: libexpatw.a.
EXPAT_PREFIX="$DEPS/expat"
if [ ! -f "$EXPAT_PREFIX/lib/libexpatw.a" ]; then
  mkdir -p "$DEPS/src"
  (
    cd "$DEPS/src"
    if ! ls -d expat-*/ >/dev/null 2>&1; then
      apt-get source --download-only expat/bookworm \
        || { $SUDO apt-get update -q && apt-get source --download-only expat/bookworm; }
      dpkg-source -x --skip-patches expat_*.dsc
    fi
    src="$(ls -d "$DEPS"/src/expat-*/ | head -n1)"
    if [ -d "$src/expat" ]; then src="$src/expat"; fi
    rm -rf "$DEPS/expat-build"
    mkdir -p "$DEPS/expat-build"
    cd "$DEPS/expat-build"
    cmake "$src" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-i686.cmake" \
      -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$EXPAT_PREFIX" \
      -DEXPAT_SHARED_LIBS=OFF -DEXPAT_BUILD_TOOLS=OFF -DEXPAT_BUILD_EXAMPLES=OFF \
      -DEXPAT_BUILD_TESTS=OFF -DEXPAT_BUILD_DOCS=OFF -DEXPAT_BUILD_PKGCONFIG=OFF \
      -DEXPAT_CHAR_TYPE=wchar_t >/dev/null
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
test_programs=(FrameworkTests FoundationTests EngineTests HelperTests ControlsTests ControlGallery MainWindowTests MarkupTests MarkupRender)
# The report control's tests and benchmark.
test_programs+=(ReportControlTests ReportBench)
# The command bars' tests.
test_programs+=(CommandBarsTests)
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
