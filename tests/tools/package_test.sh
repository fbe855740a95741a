#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a temporary root and runs the packaged program
# against the packaged database; checks the declared dependencies and the desktop files.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1) \
  || { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/out/*.deb)
echo "package: $(basename "$deb")"

info=$(dpkg-deb -I "$deb")
for dep in libqt6widgets6 qt6-qpa-plugins libmdb3 libseccomp2 fonts-ipafont-gothic libqt6printsupport6; do
  grep -q "Depends:.*$dep" <<<"$info" || fail "Depends lacks $dep"
done

root=$work/root
dpkg -x "$deb" "$root"
for f in usr/bin/rostari-bolt usr/bin/quilldb usr/libexec/rostari-bolt/rostari-mdbread \
         usr/share/rostari-bolt/quilldat.mdb usr/share/rostari-bolt/cap-screw-provenance.csv \
         usr/share/metainfo/com.example.quillmark.RostariBolt.metainfo.xml \
         usr/share/applications/com.example.quillmark.RostariBolt.desktop \
         usr/share/icons/hicolor/32x32/apps/rostari-bolt.png usr/share/doc/rostari-bolt/copyright; do
  [ -e "$root/$f" ] || fail "package lacks /$f"
done
# The print module where the program looks for it (its folder relative to bin/ is a UTF-16 text in
# the program), with its entry point.
module_dir=$(strings -a -el "$root/usr/bin/rostari-bolt" | grep -m1 -E '^\.\./lib[^ ]*/rostari-bolt/$' || true)
module=$root/usr/bin/${module_dir}rostari-print.so
[ -n "$module_dir" ] && [ -e "$module" ] || fail "package lacks the print module at /usr/bin/${module_dir}"
nm -D --defined-only "$module" | grep -qw rostariPrintPage || fail "the print module lacks rostariPrintPage"
# The licence in Debian's machine-readable format: every file under the MIT (Expat) licence, whose
# text is there in full.
copyright=$root/usr/share/doc/rostari-bolt/copyright
head -n 1 "$copyright" | grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  || fail "copyright is not in the machine-readable format"
awk '/^Files: \*$/ { files = 1 } files && /^License: Expat$/ { licence = 1 } /^ Permission is hereby granted/ { text = 1 }
  END { exit !(licence && text) }' "$copyright" || fail "copyright does not put all files under the full Expat licence"
desktop=$root/usr/share/applications/com.example.quillmark.RostariBolt.desktop
grep -qx 'Path=/usr/share/rostari-bolt' "$desktop" || fail "desktop entry does not start in /usr/share/rostari-bolt"
desktop-file-validate "$desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/com.example.quillmark.RostariBolt.metainfo.xml" \
  || fail "appstreamcli validate"

# The packaged reader reads the packaged database: 22 records.
"$root/usr/bin/quilldb" dump "$root/usr/share/rostari-bolt/quilldat.mdb" >"$work/dump.csv"
[ "$(wc -l <"$work/dump.csv")" -eq 23 ] || fail "packaged database does not hold 22 records"

# The packaged viewer, started where the menu entry starts it, finds its reader and database:
# it stays up without reporting a database error.
mkdir -p "$work/config"
set +e
(cd "$root/usr/share/rostari-bolt" && XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen \
  timeout 4 "$root/usr/bin/rostari-bolt" 2>"$work/stderr")
status=$?
set -e
[ $status -eq 124 ] || { cat "$work/stderr"; fail "packaged viewer ended with status $status"; }
if grep -q 'データベース' "$work/stderr"; then cat "$work/stderr"; fail "packaged viewer could not read its database"; fi
echo "packaged viewer ran on the packaged database"
