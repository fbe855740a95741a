#!/usr/bin/env bash
# The Windows viewer under Wine on the X display of scripts/desktop-session.sh: starts it in the
# folder of the bundled database, waits for its window, saves a screenshot, closes it through
# the close box and checks that the window position landed in the registry and in no file. The
# values shown are copied with Ctrl+C (through Wine's clipboard to X's) and compared with M3's row
# of DUMP.csv, the Linux quilldb's dump of the same database.
#   scripts/windows-viewer-check.sh BIN_DIR DATA_DIR SCREENSHOT.png DUMP.csv    (WINEPREFIX set)
set -euo pipefail
bin=$1 data=$2 shot=$3 dump=$4
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

# What the window shows, as a designer copies it: symbol, name, value on each line.
xdotool windowactivate --sync "$window"
xdotool key ctrl+c
copied=
for _ in $(seq 50); do
  copied=$(xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null | tr -d '\r') && [ -n "$copied" ] && break
  sleep 0.1
done
echo "$copied" | awk -F '\t' -v dump="$dump" '
  BEGIN {
    getline header <dump; gsub("\r", "", header); n = split(header, field, ",")
    while ((getline line <dump) > 0) { gsub("\r", "", line); if (line ~ /^M3,/) split(line, value, ",") }
    for (i = 1; i <= n; i++) want[field[i]] = value[i]
    want["M"] = want["size"]; want["p"] = want["P"]
  }
  $1 in want && $1 != "size" && $1 != "P" {
    checked++
    if ($3 != want[$1]) { print "  " $1 " shows \"" $3 "\", the database has \"" want[$1] "\""; wrong++ }
  }
  END { print "  " checked " values copied from the window, " wrong + 0 " unlike M3 in the database"; exit !(checked == 26 && !wrong) }' ||
  fail "the window does not show M3's values (Ctrl+C copied: $(echo "$copied" | head -n 3 | tr '\n\t' '| '))"

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
