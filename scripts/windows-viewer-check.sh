#!/usr/bin/env bash
# The Windows viewer under Wine on the X display of scripts/desktop-session.sh: starts it in the
# folder of the bundled database, waits for its window, saves a screenshot, closes it through
# the close box and checks that the window position landed in the registry and in no file.
#   scripts/windows-viewer-check.sh BIN_DIR DATA_DIR SCREENSHOT.png     (WINEPREFIX set)
set -euo pipefail
bin=$1 data=$2 shot=$3
: "${WINEPREFIX:?}" "${DISPLAY:?}"
key='HKCU\Software\VB and VBA Program Settings\Quillmark'
title='ロスタリ【六角穴付きボルト】 JIS B 1176\(1988\)' # a regular expression for xdotool
fail() { echo "windows-viewer-check: $*" >&2; exit 1; }

wine reg delete "$key" /f >/dev/null 2>&1 || true
home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT

(cd "$data" && HOME=$home exec wine "$bin/rostari-bolt.exe") &
viewer=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name "$title" | head -n1) ||
  fail "no window titled like $title within 60 s"
# The records arrive from the reader process after the first paint; give them time to show.
sleep 4
import -window root "$shot"
echo "  window $window shown; screenshot $shot"
# A database that cannot be opened brings a message box as a second window.
windows=$(wmctrl -l | wc -l)
[ "$windows" -eq 1 ] || { wmctrl -l; fail "$windows windows instead of the viewer alone: see $shot"; }

wmctrl -i -c "$window"
for _ in $(seq 100); do kill -0 "$viewer" 2>/dev/null || break; sleep 0.1; done
kill -0 "$viewer" 2>/dev/null && fail "the viewer did not end after its close box"
wait "$viewer" || fail "the viewer ended with status $?"

stored=$(wine reg query "$key\\Form1_StrtUp" 2>/dev/null | tr -d '\r') || fail "nothing under $key"
echo "$stored" | sed 's/^/  /'
for name in X1 Y1; do
  echo "$stored" | grep -Eq "^\s+$name\s+REG_SZ\s+-?[0-9]+$" || fail "$name is not stored as whole twips"
done
files=$(find "$home" "$WINEPREFIX/drive_c" -iname '*quillmark*' 2>/dev/null || true)
[ -z "$files" ] || fail "settings written to a file: $files"
echo "  settings in the registry, in no file"
