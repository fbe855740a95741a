#!/usr/bin/env bash
# Builds the viewer for 64-bit Windows with MinGW-w64 on Debian 12, tests it under Wine and
# writes build-windows/rostari-bolt-<version>-win64.zip and its installer,
# build-windows/rostari-bolt-<version>-setup.exe.
#   scripts/windows-build.sh              everything (what CI runs)
#   scripts/windows-build.sh --no-tests   build, zip and installer only
# Steps: the packages (apt, through sudo when not root); a static Qt from Debian's qt6-base
# source, cached outside the repository (scripts/windows-qt.sh; $ROSTARI_WIN_CACHE, default
# ~/.cache/rostari-bolt-win); libmdb from third_party/ with the iconv layer of third_party/iconv_win;
# the project in build-windows/build; its tests under Wine through CTest; quilldb dumps compared
# with a Linux quilldb; the viewer started under Wine on a private X display (screenshot,
# settings in the registry); the zip with the licences; the installer (NSIS, dist/windows/installer.nsi),
# installed, started, installed again and uninstalled in a fresh Wine prefix
# (scripts/windows-installer-check.sh).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$root/build-windows
tests=1
for a in "$@"; do
  case "$a" in
    --no-tests) tests=0 ;;
    *) echo "usage: scripts/windows-build.sh [--no-tests]" >&2; exit 2 ;;
  esac
done
started=$(date +%s)
step() { echo "windows-build: [$(($(date +%s) - started)) s] $*"; }
fail() { echo "windows-build: $*" >&2; exit 1; }

packages=(g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine64 wine
  autoconf automake libtool autoconf-archive gettext make patch dpkg-dev cmake ninja-build pkg-config zip
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libgl-dev libxcb1-dev mdbtools-dev
  fonts-ipafont-gothic xvfb openbox x11-utils xdotool wmctrl xclip imagemagick nsis python3)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  step "installing ${missing[*]}"
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "${missing[@]}" >/dev/null
fi

step "static Qt for Windows"
qt=$("$root/scripts/windows-qt.sh")
mkdir -p "$out"

# libmdb and the iconv it converts names with, into build-windows/deps; redone when a source changes.
deps=$out/deps
triple=x86_64-w64-mingw32
deps_key=$(cat "$root/third_party/mdbtools-1.0.0.tar.gz" "$root/third_party/"*.patch \
  "$root/third_party/iconv_win/"* | sha256sum | cut -c1-16)
if [ "$(cat "$deps/rostari-complete" 2>/dev/null)" != "$deps_key" ]; then
  step "libmdb 1.0.0 and iconv for Windows"
  rm -rf "$deps" "$out/mdbtools"
  mkdir -p "$deps/lib" "$deps/include" "$out/mdbtools"
  "$triple-gcc-posix" -O2 -Wall -Wextra -Wpedantic -Werror -c "$root/third_party/iconv_win/iconv_win.c" \
    -o "$out/mdbtools/iconv_win.o"
  "$triple-ar" rcs "$deps/lib/libiconv.a" "$out/mdbtools/iconv_win.o"
  cp "$root/third_party/iconv_win/iconv.h" "$deps/include/"
  tar -xzf "$root/third_party/mdbtools-1.0.0.tar.gz" -C "$out/mdbtools"
  (
    cd "$out/mdbtools/mdbtools-1.0.0"
    patch -p1 -s <"$root/third_party/mdbtools-1.0.0-windows-paths.patch"
    autoreconf -fi >autoreconf.log 2>&1 || { tail -n 20 autoreconf.log; exit 1; }
    # On MinGW configure puts libtool's -no-undefined into LDFLAGS, which fails its own link test
    # for iconv; the answers are given instead (the layer is the iconv above).
    ./configure --host=$triple CC=$triple-gcc-posix --prefix="$deps" --disable-shared --enable-static \
      --disable-glib --disable-man CPPFLAGS="-I$deps/include" \
      am_cv_func_iconv=yes am_cv_lib_iconv=no am_cv_func_iconv_works=yes >configure.log 2>&1 ||
      { tail -n 20 configure.log; exit 1; }
    grep -q '^#define MDBTOOLS_H_HAVE_ICONV_H 1' include/mdbtools.h || { echo "libmdb without iconv"; exit 1; }
    { make -C src/libmdb -j "$(nproc)" && make -C src/libmdb install && make -C include install &&
      make install-pkgconfigDATA; } >make.log 2>&1 || { tail -n 20 make.log; exit 1; }
  )
  echo "$deps_key" >"$deps/rostari-complete"
fi

step "cross-building the project"
export PKG_CONFIG_LIBDIR=$deps/lib/pkgconfig PKG_CONFIG_PATH=
# A Wine prefix of the build's own; its server is stopped at the end.
export WINEPREFIX=$out/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
build=$out/build
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DROSTARI_WERROR=ON \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DCMAKE_FIND_ROOT_PATH="$qt;$deps" -DCMAKE_PREFIX_PATH="$qt;$deps" \
  -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$(command -v wine)" >"$out/configure.log" 2>&1 ||
  { tail -n 40 "$out/configure.log"; exit 1; }
# The build runs quilldb.exe under Wine to write quilldat.mdb, so the prefix comes first.
[ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
cmake --build "$build" -j "$(nproc)"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
bin=$build/bin
data=$build/share/rostari-bolt

if [ $tests -eq 1 ]; then
  step "tests under Wine"
  rm -f "$build/tests/logs/"*.txt
  if ! ctest --test-dir "$build" --output-on-failure -j "$(nproc)" -LE desktop; then
    for log in $(grep -l '^FAIL!' "$build/tests/logs/"*.txt 2>/dev/null); do
      echo "--- $log"; grep -v '^PASS' "$log"
    done
    fail "tests failed under Wine"
  fi

  step "quilldb dump under Wine against the Linux quilldb"
  linux=$out/linux
  env -u PKG_CONFIG_LIBDIR -u PKG_CONFIG_PATH \
    cmake -S "$root" -B "$linux" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >"$out/linux.log" 2>&1 ||
    { tail -n 20 "$out/linux.log"; exit 1; }
  cmake --build "$linux" --target quilldb >>"$out/linux.log" 2>&1 || { tail -n 20 "$out/linux.log"; exit 1; }
  cmp=$out/compare
  rm -rf "$cmp" && mkdir -p "$cmp"
  sources=(--sources "$root/data/cap-screw-provenance.csv")
  "$linux/bin/quilldb" build "$root/data/cap-screw-sizes.csv" "$cmp/jet3-linux.mdb" --format jet3 "${sources[@]}"
  wine "$bin/quilldb.exe" build "$root/data/cap-screw-sizes.csv" "$cmp/jet3-wine.mdb" --format jet3 "${sources[@]}"
  cmp "$cmp/jet3-linux.mdb" "$cmp/jet3-wine.mdb" || fail "quilldb.exe wrote another Jet 3 file than quilldb"
  "$linux/bin/quilldb" build "$root/data/cap-screw-sizes.csv" "$cmp/jet4-linux.mdb" "${sources[@]}"
  cmp "$cmp/jet4-linux.mdb" "$data/quilldat.mdb" || fail "quilldb.exe wrote another quilldat.mdb than quilldb"
  for f in "$data/quilldat.mdb" "$cmp/jet3-linux.mdb"; do
    for table in sizes sources; do
      name=$(basename "$f" .mdb)-$table
      option=()
      [ $table = sizes ] || option=(--sources)
      "$linux/bin/quilldb" dump "$f" "${option[@]}" >"$cmp/$name-linux.csv"
      wine "$bin/quilldb.exe" dump "$f" "${option[@]}" >"$cmp/$name-wine.csv"
      cmp "$cmp/$name-linux.csv" "$cmp/$name-wine.csv" ||
        fail "wine quilldb.exe dump ${option[*]} $f differs from quilldb dump"
      echo "  $(basename "$f") $table: $(wc -l <"$cmp/$name-wine.csv") lines, $(wc -c <"$cmp/$name-wine.csv") bytes, identical"
    done
  done

  step "the viewer under Wine on a private X display"
  # The Wine session the tests started has no X display; the viewer's must start with one.
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  "$root/scripts/desktop-session.sh" "$root/scripts/windows-viewer-check.sh" "$bin" "$data" "$out/viewer-wine.png" \
    "$cmp/quilldat-sizes-linux.csv"
fi

step "the zip"
stage=$out/rostari-bolt-$version-win64
zipfile=$out/rostari-bolt-$version-win64.zip
rm -rf "$stage" "$zipfile"
mkdir -p "$stage/translations" "$stage/licenses/mdbtools"
cp "$bin/rostari-bolt.exe" "$bin/rostari-mdbread.exe" "$bin/quilldb.exe" "$data/quilldat.mdb" \
  "$root/data/cap-screw-sizes.csv" "$root/data/cap-screw-provenance.csv" "$stage/"
cp /usr/share/qt6/translations/qtbase_ja.qm "$stage/translations/"
sed 's/$/\r/' "$root/dist/windows/README.txt" >"$stage/README.txt"
# The licences: the project's, and those of everything linked in (THIRD-PARTY-NOTICES.txt says what).
sed 's/$/\r/' "$root/LICENSE" >"$stage/LICENSE.txt"
sed 's/$/\r/' "$root/THIRD-PARTY-NOTICES.txt" >"$stage/THIRD-PARTY-NOTICES.txt"
cp -r "$qt/licenses" "$stage/licenses/qt"
tar -xzOf "$root/third_party/mdbtools-1.0.0.tar.gz" mdbtools-1.0.0/COPYING.LIB >"$stage/licenses/mdbtools/COPYING.LIB"
cp /usr/share/doc/mingw-w64-x86-64-dev/copyright "$stage/licenses/mingw-w64.txt"
"$triple-strip" "$stage/"*.exe
# Everything is linked statically: each DLL a program imports must be one Windows itself has
# (as Wine's system folder holds them), none of MinGW's runtime, Qt or libmdb.
for exe in "$stage/"*.exe; do
  for dll in $("$triple-objdump" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z'); do
    case "$dll" in
      lib*|qt6*) fail "$(basename "$exe") needs $dll" ;;
      api-ms-win-*) continue ;; # API sets, which the loader maps to system DLLs
    esac
    [ -f "$WINEPREFIX/drive_c/windows/system32/$dll" ] || fail "$(basename "$exe") needs $dll, which Windows lacks"
  done
done
(cd "$out" && zip -qr -9 "$zipfile" "$(basename "$stage")")
step "wrote $zipfile ($(du -k "$zipfile" | cut -f1) KiB)"

step "the installer"
setup=$out/rostari-bolt-$version-setup.exe
inst=$out/installer
rm -rf "$setup" "$inst"
mkdir -p "$inst"
# What the installer puts in place, file by file, and so what it removes again: the files, then
# their folders, deepest first.
{
  (cd "$stage" && find . -type f | sort) | sed 's|^\./||; s|/|\\|g; s|^|Delete "$INSTDIR\\|; s|$|"|'
  (cd "$stage" && find . -mindepth 1 -type d | sort -r) | sed 's|^\./||; s|/|\\|g; s|^|RMDir "$INSTDIR\\|; s|$|"|'
} >"$inst/files.nsh"
# The licence page: the project's licence, then the notices (UTF-8 with a byte-order mark, which
# NSIS needs to read it as such).
{ printf '\xef\xbb\xbf'; cat "$root/LICENSE"; echo; echo; cat "$root/THIRD-PARTY-NOTICES.txt"; } | sed 's/$/\r/' \
  >"$inst/licence.txt"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSTAGE="$stage" -DSIZE_KB="$(du -sk "$stage" | cut -f1)" \
  -DFILES="$inst/files.nsh" -DLICENCE="$inst/licence.txt" -DICON="$root/resources/rostari-bolt.ico" \
  -DOUTFILE="$setup" "$root/dist/windows/installer.nsi" >"$inst/makensis.log" 2>&1 ||
  { cat "$inst/makensis.log"; fail "makensis failed"; }
# Debian's NSIS makes a 32-bit installer unless told otherwise, which this 64-bit-only Wine cannot
# even load (and then exits 0): the installer must be a 64-bit program.
"$triple-objdump" -f "$setup" | grep -q 'file format pei-x86-64' || fail "$setup is not a 64-bit Windows program"
step "wrote $setup ($(du -k "$setup" | cut -f1) KiB)"

if [ $tests -eq 1 ]; then
  step "the installer under Wine in a fresh prefix"
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  "$root/scripts/desktop-session.sh" "$root/scripts/windows-installer-check.sh" "$setup" "$stage" \
    "$cmp/quilldat-sizes-linux.csv" "$out"
fi
step "done"
