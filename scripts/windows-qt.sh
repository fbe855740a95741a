#!/usr/bin/env bash
# Builds a static Qt for 64-bit Windows (Core, Gui, Widgets, PrintSupport, Test) from Debian's qt6-base source
# with MinGW-w64, into a cache folder outside the repository, and prints the install prefix.
# A complete build whose key (source version, options, toolchain) matches is reused as it is.
#   scripts/windows-qt.sh            prefix on stdout, progress on stderr
# Cache: ${ROSTARI_WIN_CACHE:-$HOME/.cache/rostari-bolt-win}. Needs the packages windows-build.sh installs.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cache=${ROSTARI_WIN_CACHE:-$HOME/.cache/rostari-bolt-win}
toolchain=$root/cmake/mingw-w64-x86_64.cmake
log() { echo "windows-qt: $*" >&2; }

# The host tools (moc, rcc, uic) come from Debian's Qt, so the source must be the same version.
qt_deb_version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
qt_version=${qt_deb_version%%+*}
qt_options=(-release -static -static-runtime -xplatform win32-g++ -qt-host-path /usr
  -nomake examples -nomake tests -no-opengl -no-dbus -no-icu -no-zstd -no-pkg-config
  -qt-zlib -qt-pcre -qt-harfbuzz -qt-freetype -qt-libpng -qt-libjpeg -qt-doubleconversion
  -no-feature-sql -no-feature-network -no-feature-xml -no-feature-concurrent
  # Printing and PDF: asked for by name, so a build that would lack one stops at configure.
  -feature-printsupport -feature-printer -feature-printdialog -feature-printpreviewwidget
  -feature-printpreviewdialog -feature-pdf)
cmake_options=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain"
  -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
  # The Windows platform plugin would need wintab.h, which MinGW-w64 does not ship.
  -DFEATURE_tabletevent=OFF)
key=$( {
  echo "$qt_deb_version"
  printf '%s\n' "${qt_options[@]}" "${cmake_options[@]}"
  grep -E 'SYSTEM|COMPILER|TRIPLE' "$toolchain"
  x86_64-w64-mingw32-g++-posix -dumpfullversion
} | sed "s|$root|<root>|g" | sha256sum | cut -c1-16)
prefix=$cache/qt-$qt_version-win64-static-$key
src_dir=$cache/src/qt6-base-$qt_deb_version
# The licence texts of Qt and of the code it bundles, which a program linked with it carries
# (THIRD-PARTY-NOTICES.txt names them by these paths in Qt's source), into <prefix>/licenses.
licence_files=(LICENSES/LGPL-3.0-only.txt LICENSES/GPL-3.0-only.txt
  src/3rdparty/zlib/LICENSE src/3rdparty/pcre2/LICENCE src/3rdparty/pcre2/LICENCE-SLJIT
  src/3rdparty/double-conversion/LICENSE src/3rdparty/harfbuzz-ng/COPYING
  src/3rdparty/freetype/LICENSE.txt src/3rdparty/freetype/docs/FTL.TXT src/3rdparty/freetype/ZLIB-LICENSE.txt
  src/3rdparty/freetype/BDF-LICENSE.txt src/3rdparty/freetype/PCF-LICENSE.txt src/3rdparty/libpng/LICENSE
  src/3rdparty/libjpeg/LICENSE src/3rdparty/libjpeg/ijg-license.txt src/3rdparty/libjpeg/zlib-license.txt
  src/3rdparty/md4c/LICENSE.md src/3rdparty/tinycbor/LICENSE src/3rdparty/blake2/COPYING
  src/3rdparty/sha3/CC0_LICENSE src/3rdparty/sha3/BRG_ENDIAN_LICENSE src/3rdparty/rfc6234/LICENSE
  src/3rdparty/easing/LICENSE src/3rdparty/icc/LICENSE.txt src/corelib/text/UNICODE_LICENSE.txt
  src/corelib/tools/LICENSE.siphash src/gui/painting/QIMAGETRANSFORM_LICENSE.txt
  src/gui/painting/XCONSORTIUM_LICENSE.txt src/gui/text/AGLFN_LICENSE.txt)
copy_licences() {
  local f
  rm -rf "$prefix/licenses"
  for f in "${licence_files[@]}"; do
    [ -f "$src_dir/$f" ] || { log "the Qt source lacks $f"; exit 1; }
    mkdir -p "$prefix/licenses/$(dirname "$f")"
    cp "$src_dir/$f" "$prefix/licenses/$f"
  done
}
if [ -f "$prefix/rostari-complete" ]; then
  log "reusing $prefix"
  # A Qt built before its licences were kept gets them from the source beside it.
  [ -f "$prefix/licenses/${licence_files[0]}" ] || copy_licences
  echo "$prefix"
  exit 0
fi
mkdir -p "$cache"

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ! -f "$src_dir/rostari-complete" ]; then
  log "fetching the qt6-base $qt_deb_version source"
  twins=()
  if ! apt-get source --print-uris "qt6-base=$qt_deb_version" >/dev/null 2>&1; then
    # Source entries twin the binary ones (deb822 files and the one-line list alike); removed afterwards.
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] || continue
      twin=/etc/apt/sources.list.d/rostari-src-$(basename "$f")
      sed -n '/^Types:.*\bdeb\b/s/.*/Types: deb-src/p;/^Types:/!p' "$f" | "${sudo_cmd[@]}" tee "$twin" >/dev/null
      twins+=("$twin")
    done
    if [ -f /etc/apt/sources.list ] && grep -q '^deb ' /etc/apt/sources.list; then
      twin=/etc/apt/sources.list.d/rostari-src.list
      sed -n 's/^deb /deb-src /p' /etc/apt/sources.list | "${sudo_cmd[@]}" tee "$twin" >/dev/null
      twins+=("$twin")
    fi
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  fi
  rm -rf "$cache/src"
  mkdir -p "$cache/src"
  status=0
  (cd "$cache/src" && apt-get source -qq "qt6-base=$qt_deb_version" >/dev/null 2>&1) || status=$?
  [ ${#twins[@]} -eq 0 ] || "${sudo_cmd[@]}" rm -f "${twins[@]}"
  [ $status -eq 0 ] || { log "apt-get source qt6-base=$qt_deb_version failed"; exit 1; }
  src=$(find "$cache/src" -mindepth 1 -maxdepth 1 -type d -name 'qt6-base-*' | head -n1)
  [ "$src" = "$src_dir" ] || mv "$src" "$src_dir"
  rm -f "$cache/src"/*.tar.* "$cache/src"/*.dsc
  touch "$src_dir/rostari-complete"
fi

log "building Qt $qt_version for Windows into $prefix (about 13 minutes on 2 cores)"
rm -rf "$cache"/qt-*-win64-static-* "$cache/qt-build"
mkdir -p "$cache/qt-build"
start=$(date +%s)
(
  cd "$cache/qt-build"
  "$src_dir/configure" -prefix "$prefix" "${qt_options[@]}" -- "${cmake_options[@]}" >configure.log 2>&1 ||
    { tail -n 40 configure.log >&2; exit 1; }
  cmake --build . --parallel "$(nproc)" >build.log 2>&1 || { tail -n 40 build.log >&2; exit 1; }
  cmake --install . >install.log 2>&1 || { tail -n 40 install.log >&2; exit 1; }
)
rm -rf "$cache/qt-build"
for module in Core Gui Widgets PrintSupport Test; do
  [ -f "$prefix/lib/libQt6$module.a" ] || { log "the build lacks Qt6$module"; exit 1; }
done
copy_licences
echo "$key" >"$prefix/rostari-complete"
log "Qt built in $(($(date +%s) - start)) s"
echo "$prefix"
