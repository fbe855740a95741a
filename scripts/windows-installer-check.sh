#!/usr/bin/env bash
# The installer as a user meets it, under Wine on the X display of scripts/desktop-session.sh, in a
# Wine prefix made fresh for it: its first two pages shown (screenshots), then silently installed;
# the files, the Start-menu shortcut's target and working folder and the uninstall entry checked;
# the viewer started as the shortcut starts it and compared with the database
# (scripts/windows-viewer-check.sh, which leaves the window position in the registry); installed
# again over a damaged copy, which it repairs, keeping the position; silently uninstalled, leaving
# the settings key and nothing else. Exit codes prove nothing here (a setup.exe that cannot even
# load exits 0 under Wine): every step is checked by what it left behind.
#   scripts/windows-installer-check.sh SETUP.exe STAGE_DIR DUMP.csv OUT_DIR
# STAGE_DIR is the zip's folder, which the installer must reproduce; DUMP.csv as for the viewer check.
set -euo pipefail
setup=$1 stage=$2 dump=$3 out=$4
: "${DISPLAY:?}"
root=$(cd "$(dirname "$0")/.." && pwd)
product='ロスタリ【六角穴付きボルト】'
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\rostari-bolt'
settings_key='HKCU\Software\VB and VBA Program Settings\Quillmark\Form1_StrtUp'
fail() { echo "windows-installer-check: $*" >&2; exit 1; }
say() { echo "  $*"; }

export WINEPREFIX=$out/installer-wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k >/dev/null 2>&1 || true
rm -rf "$WINEPREFIX"
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
wineboot -i >/dev/null 2>&1
# The dialog font of a Japanese installer is Windows' MS PGothic, which Wine lacks: the IPA font
# (the one the tests use) stands in for it, as on a Japanese Windows.
printf 'Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]\r\n"%s"="IPAPGothic"\r\n' \
  'ＭＳ Ｐゴシック' | iconv -f UTF-8 -t UTF-16 >"$out/fonts.reg"
wine regedit /S "$out/fonts.reg"
# Waits for Wine to finish everything started (the uninstaller returns before its copy in %TEMP% has run).
settle() { wineserver -w; }
windows_folder() { wine cmd /c echo "%$1%" 2>/dev/null | tr -d '\r'; }
instdir_win="$(windows_folder LOCALAPPDATA)\\Programs\\rostari-bolt"
programs=$(winepath -u "$instdir_win")
shortcut=$(winepath -u "$(windows_folder APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\$product.lnk")
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z_]* *//p"; }

# Its first page, and the licence page after 次へ; then cancelled (キャンセル, then はい) before
# anything is installed.
wine "$setup" >/dev/null 2>&1 &
installer=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "$product" | head -n1) ||
  fail "the installer showed no window within 60 s"
sleep 2 # drawn by now; a screenshot only
import -window root "$out/installer-welcome.png"
xdotool windowactivate --sync "$window" key alt+n
sleep 2
import -window root "$out/installer-licence.png"
say "installer pages: $out/installer-welcome.png, $out/installer-licence.png"
xdotool key Escape
# The question "quit setup?" is a second window with the installer's title.
for _ in $(seq 300); do [ "$(xdotool search --onlyvisible --name "$product" | wc -l)" -gt 1 ] && break; sleep 0.1; done
xdotool key Return
for _ in $(seq 300); do kill -0 "$installer" 2>/dev/null || break; sleep 0.1; done
kill -0 "$installer" 2>/dev/null && fail "the installer did not end when cancelled"
settle
[ ! -e "$programs" ] || fail "the cancelled installer left $programs"

# Installed without a question, as software deployment does it.
start=$(date +%s)
wine "$setup" /S || true
settle
say "installed silently in $(($(date +%s) - start)) s into $programs"
same_as_stage() {
  [ -d "$programs" ] || fail "$1: nothing in $programs"
  diff <(cd "$stage" && find . -type f | sort) <(cd "$programs" && find . -type f ! -path ./uninstall.exe | sort) >&2 ||
    fail "$1: the installed files are not the zip's"
  (cd "$stage" && find . -type f -exec cmp {} "$programs/{}" \;) || fail "$1: an installed file differs from the zip's"
  [ -f "$programs/uninstall.exe" ] || fail "$1: no uninstall.exe"
}
same_as_stage "install"
say "files: $(cd "$programs" && find . -type f | wc -l), the zip's $(cd "$stage" && find . -type f | wc -l) and uninstall.exe:"
say "  $(cd "$programs" && ls -p | tr '\n' ' ')"

# The shortcut, read from its bytes (MS-SHLLINK): the target from its LinkInfo, the working folder
# from its string data.
[ -f "$shortcut" ] || fail "no Start-menu shortcut $shortcut"
{ read -r target && read -r workdir; } < <(python3 - "$shortcut" <<'EOF'
import struct, sys
data = open(sys.argv[1], 'rb').read()
flags = struct.unpack_from('<I', data, 0x14)[0]
pos = 0x4c
if flags & 0x1:  # HasLinkTargetIDList
    pos += 2 + struct.unpack_from('<H', data, pos)[0]
target = ''
if flags & 0x2:  # HasLinkInfo
    size, header, info_flags, _, base = struct.unpack_from('<5I', data, pos)
    if info_flags & 0x1:  # VolumeIDAndLocalBasePath
        if header >= 0x24:
            at = pos + struct.unpack_from('<I', data, pos + 0x1c)[0]
            end = at
            while data[end:end + 2] != b'\0\0':
                end += 2
            target = data[at:end].decode('utf-16-le')
        else:
            at = pos + base
            target = data[at:data.index(b'\0', at)].decode('cp932')
    pos += size
strings = {}
for bit in (0x4, 0x8, 0x10, 0x20, 0x40):  # name, relative path, working dir, arguments, icon
    if flags & bit:
        count = struct.unpack_from('<H', data, pos)[0]
        pos += 2
        width = 2 if flags & 0x80 else 1
        strings[bit] = data[pos:pos + count * width].decode('utf-16-le' if width == 2 else 'cp932')
        pos += count * width
print(target)
print(strings.get(0x10, ''))
EOF
)
say "shortcut: target $target, working folder $workdir"
[ "$target" = "$instdir_win\\rostari-bolt.exe" ] || fail "the shortcut starts $target, not $instdir_win\\rostari-bolt.exe"
[ "$workdir" = "$instdir_win" ] || fail "the shortcut starts in $workdir, not $instdir_win"

# The uninstall entry, as Settings > Apps lists it.
for pair in "DisplayVersion=$(sed -n 's/^project(rostari-bolt VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")" \
  "Publisher=Quillmark" "DisplayIcon=$instdir_win\\rostari-bolt.exe,0" "InstallLocation=$instdir_win" \
  "UninstallString=\"$instdir_win\\uninstall.exe\"" "QuietUninstallString=\"$instdir_win\\uninstall.exe\" /S"; do
  name=${pair%%=*} want=${pair#*=}
  got=$(reg_value "$uninstall_key" "$name")
  [ "$got" = "$want" ] || fail "uninstall entry: $name is \"$got\", not \"$want\""
done
# Wine's reg prints non-ASCII as "?"; the name is read from the registry file itself.
display_name=$(python3 - "$WINEPREFIX/user.reg" <<'EOF'
import re, sys
text = open(sys.argv[1], encoding='utf-8', errors='replace').read()
block = text.split('[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\rostari-bolt]', 1)[1].split('\n\n', 1)[0]
value = re.search(r'^"DisplayName"="(.*)"$', block, re.M).group(1)
print(re.sub(r'\\x([0-9a-fA-F]{1,4})', lambda m: chr(int(m.group(1), 16)), value))
EOF
)
[ "$display_name" = "$product" ] || fail "uninstall entry: DisplayName is \"$display_name\""
say "uninstall entry: $product $(reg_value "$uninstall_key" DisplayVersion), Quillmark, icon, quiet uninstall"

# Started as the shortcut starts it: its target, in its working folder.
wineserver -k >/dev/null 2>&1 || true
settle
"$root/scripts/windows-viewer-check.sh" "$(dirname "$(winepath -u "$target")")" "$(winepath -u "$workdir")" \
  "$out/installed-viewer-wine.png" "$dump"
position=$(wine reg query "$settings_key" 2>/dev/null | tr -d '\r' | grep -E '^\s+[XY]1\s') ||
  fail "no window position stored"

# A newer build over this one replaces the files (here the same build over a damaged copy) and keeps
# the window position.
echo "damaged" >>"$programs/README.txt"
rm "$programs/quilldb.exe"
wine "$setup" /S || true
settle
same_as_stage "reinstall"
[ "$(wine reg query "$settings_key" 2>/dev/null | tr -d '\r' | grep -E '^\s+[XY]1\s')" = "$position" ] ||
  fail "installing again changed the window position"
say "installed again: the damaged files replaced, the window position kept"

# Uninstalled silently: nothing left but the settings key.
wine "$programs/uninstall.exe" /S || true
settle
[ ! -e "$programs" ] || fail "left behind in $programs: $(cd "$programs" && find . | head -n 5 | tr '\n' ' ')"
[ ! -e "$shortcut" ] || fail "the Start-menu shortcut is still there"
! wine reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstall entry is still there"
[ "$(wine reg query "$settings_key" 2>/dev/null | tr -d '\r' | grep -E '^\s+[XY]1\s')" = "$position" ] ||
  fail "the uninstaller did not leave the window position"
left=$(grep -ril 'rostari' "$WINEPREFIX"/*.reg | tr '\n' ' ' || true)
[ -z "$left" ] || fail "the registry still names rostari: $left"
files=$(find "$WINEPREFIX/drive_c" -iname '*rostari*' -o -iname "*$product*" | head -n 5)
[ -z "$files" ] || fail "files left: $files"
# The uninstaller runs from a copy in %TEMP% which has Windows delete it at the next start; its
# empty folder is all it may leave there.
temp=$(winepath -u "$(windows_folder TEMP)")
files=$(find "$temp" -mindepth 1 ! -path "$temp/~nsu*.tmp" | head -n 5)
[ -z "$files" ] || fail "left in %TEMP%: $files"
say "uninstalled silently: no files, shortcut or entry left; the window position kept:"
echo "$position" | sed 's/^ */    /'
