#!/usr/bin/env bash
# The README's promise, tried as a newcomer meets it: on a fresh, minimal Debian 12 (debootstrap chroots,
# so nothing installed on this machine helps).
#   1. First chroot, a clone of the committed HEAD: `./run` installs what it needs, builds, and leaves the
#      viewer running (offscreen); then `./test` passes on the same build/, and the Debian package is made.
#      With --windows, the Windows build's one command, scripts/windows-build.sh, then runs in the same
#      chroot (its static Qt kept in <cache>/windows-qt, built there when missing): the zip and the
#      installer, the tests under Wine with the reader's confinement, and the installer's own check.
#   2. Second chroot: `apt-get install ./rostari-bolt_*.deb` pulls in every dependency; the installed menu
#      entry's Exec, run in its Path=, shows the viewer on the bundled database without a database message,
#      offscreen and then on an Xvfb screen (window mapped, screenshot not blank).
#
#   scripts/fresh-debian-check.sh [--test-args ARGS] [--windows] [REPO]
#     REPO         defaults to this checkout; its committed HEAD is what is tried
#     --test-args  arguments for ./test in the first chroot (e.g. --sanitize)
#     --windows    also the Windows build, its tests under Wine, its zip and installer in the first chroot
#
# Needs root and the Debian package registry. The base chroot and the downloaded packages are kept in
# $ROSTARI_FRESH_CACHE (default /var/cache/rostari-bolt/fresh-debian), reused when present and made again
# when missing; logs, the package and the screenshot go to <cache>/logs. Prints one verdict line last;
# exits 0 only if every step worked.
set -uo pipefail
test_args=()
windows=0
repo=
while [ $# -gt 0 ]; do
  case "$1" in
    --test-args) read -r -a test_args <<<"$2"; shift 2 ;;
    --windows) windows=1; shift ;;
    -*) echo "usage: scripts/fresh-debian-check.sh [--test-args ARGS] [--windows] [REPO]" >&2; exit 2 ;;
    *) repo=$1; shift ;;
  esac
done
repo=$(cd "${repo:-$(dirname "$0")/..}" && pwd)
cache=${ROSTARI_FRESH_CACHE:-/var/cache/rostari-bolt/fresh-debian}
logs=$cache/logs
[ "$(id -u)" -eq 0 ] || { echo "fresh-debian-check: needs root (debootstrap, chroot, mounts)"; exit 2; }
mkdir -p "$cache/archives/partial" "$logs"

# One check at a time: they share the base and the package cache.
exec 9>"$cache/lock"
flock 9
rm -f "$logs"/*

now() { date +%s; }
say() { echo "fresh-debian-check: $*"; }
fail() {
  say "$1"
  [ -n "${2:-}" ] && [ -f "$2" ] && { echo "--- last lines of $2"; tail -n 40 "$2"; echo "---"; }
  echo "fresh Debian 12 check FAILED: $1"
  exit 1
}

if ! command -v debootstrap >/dev/null; then
  apt_host=(env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 -y -qq)
  "${apt_host[@]}" install debootstrap >/dev/null 2>&1 ||
    { "${apt_host[@]}" update >/dev/null && "${apt_host[@]}" install debootstrap >/dev/null; } ||
    fail "cannot install debootstrap (apt-get install debootstrap)"
fi

t0=$(now)
if [ ! -f "$cache/base/.complete" ]; then
  say "making the base chroot in $cache/base (debootstrap, a few minutes)"
  rm -rf --one-file-system "$cache/base"
  debootstrap --variant=minbase bookworm "$cache/base" >"$logs/debootstrap.log" 2>&1 ||
    fail "debootstrap failed" "$logs/debootstrap.log"
  touch "$cache/base/.complete"
else
  say "reusing the base chroot in $cache/base"
fi
t_base=$(($(now) - t0))

# Every chroot lives under $cache/roots; mounts into it are undone on any exit, and a root is only
# deleted once nothing is mounted below it.
roots=()
mounted_below() { awk -v r="$1/" 'index($2, r) == 1 { found = 1 } END { exit !found }' /proc/self/mounts; }
stop_root() {
  local root=$1 p m
  for p in /proc/[0-9]*; do
    [ "$(readlink "$p/root" 2>/dev/null)" = "$root" ] && kill -9 "${p#/proc/}" 2>/dev/null
  done
  sleep 0.5
  for m in root/windows-qt var/cache/apt/archives dev/pts dev sys proc; do
    mountpoint -q "$root/$m" && { umount "$root/$m" 2>/dev/null || umount -l "$root/$m"; }
  done
  if mounted_below "$root"; then
    say "left $root in place: something is still mounted below it"
  else
    rm -rf --one-file-system "$root"
  fi
}
cleanup() {
  local r
  for r in "${roots[@]}"; do stop_root "$r"; done
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# Roots a killed check left behind.
for r in "$cache"/roots/root.*; do [ -d "$r" ] && stop_root "$r"; done

# Every machine here reaches the registries through this machine's certificate bundle and npm settings;
# a fresh machine of this kind has them too, so they go in (again after packages are installed, as
# installing ca-certificates rewrites the bundle).
carry_registry_setup() {
  local root=$1
  mkdir -p "$root/etc/ssl/certs" "$root/usr/local/share/ca-certificates"
  cp /etc/ssl/certs/ca-certificates.crt "$root/etc/ssl/certs/ca-certificates.crt"
  cp /etc/ssl/certs/ca-certificates.crt "$root/usr/local/share/ca-certificates/this-machine.crt"
  [ -f /etc/npmrc ] && cp /etc/npmrc "$root/etc/npmrc"
  cp /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
}
# Sets root to a new copy of the base with the mounts in place.
new_root() {
  local m
  mkdir -p "$cache/roots"
  root=$(mktemp -d "$cache/roots/root.XXXXXX") || fail "cannot make a chroot folder in $cache/roots"
  roots+=("$root")
  cp -a "$cache/base/." "$root/" || fail "cannot copy the base chroot to $root"
  for m in proc sys dev dev/pts; do mount --bind "/$m" "$root/$m" || fail "cannot mount /$m into $root"; done
  # Downloaded packages are kept between checks; the chroot's package state is new each time.
  mount --bind "$cache/archives" "$root/var/cache/apt/archives" || fail "cannot mount the package cache"
  carry_registry_setup "$root"
}
# Runs in the background and waits, so that an interrupt reaches the clean-up at once.
in_root() {
  local root=$1
  shift
  chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
    LANG=C.UTF-8 CI=true "$@" <&0 &
  wait $!
}

# 1. ./run, then ./test, as the README has them.
new_root
git clone -q "$repo" "$root/root/project" || fail "cannot clone $repo"
say "trying ./run in a fresh chroot"
t0=$(now)
# ./run builds, then replaces itself with the viewer, which must still be up a few seconds later.
in_root "$root" bash -c 'cd /root/project && export QT_QPA_PLATFORM=offscreen && { ./run >/root/run.log 2>&1 & pid=$!
  for _ in $(seq 3600); do
    kill -0 $pid 2>/dev/null || { echo "./run ended before the viewer started"; exit 1; }
    case $(readlink /proc/$pid/exe) in */rostari-bolt) break ;; esac
    sleep 1
  done
  date +%s >/root/viewer-started
  sleep 5
  kill -0 $pid 2>/dev/null || { echo "the viewer ended within 5 s"; exit 1; }
  kill $pid
  echo "viewer running: $(grep -c . /root/run.log) lines of build output"; }' >"$logs/run.verdict" 2>&1
run_rc=$?
cp "$root/root/run.log" "$logs/run.log" 2>/dev/null
[ $run_rc -eq 0 ] || fail "./run: $(tail -n 1 "$logs/run.verdict")" "$logs/run.log"
grep -q 'データベース' "$logs/run.log" && fail "./run: the viewer reported a database problem" "$logs/run.log"
t_run=$(($(cat "$root/root/viewer-started") - t0))
say "./run: the viewer was up after ${t_run} s"

tried="./test${test_args[*]:+ ${test_args[*]}}"
say "trying $tried on the same build/"
t0=$(now)
carry_registry_setup "$root"
in_root "$root" bash -c 'cd /root/project && timeout 4800 ./test "$@"' test "${test_args[@]}" >"$logs/test.log" 2>&1
test_rc=$?
t_test=$(($(now) - t0))
summary=$(grep -E 'tests passed|tests failed' "$logs/test.log" | tail -n 1)
[ $test_rc -eq 0 ] || fail "$tried: exit $test_rc (${summary:-no ctest summary})" "$logs/test.log"
say "$tried: passed in ${t_test} s (${summary})"

windows_said=
if [ $windows -eq 1 ]; then
  say "trying scripts/windows-build.sh in the same chroot"
  mkdir -p "$cache/windows-qt" "$root/root/windows-qt"
  mount --bind "$cache/windows-qt" "$root/root/windows-qt" || fail "cannot mount the Windows Qt cache"
  t0=$(now)
  in_root "$root" bash -c 'cd /root/project && ROSTARI_WIN_CACHE=/root/windows-qt timeout 4800 scripts/windows-build.sh' \
    >"$logs/windows.log" 2>&1 || fail "scripts/windows-build.sh: $(tail -n 1 "$logs/windows.log")" "$logs/windows.log"
  t_windows=$(($(now) - t0))
  rm -f "$logs"/rostari-bolt-*-win64.zip "$logs"/rostari-bolt-*-setup.exe
  cp "$root"/root/project/build-windows/rostari-bolt-*-win64.zip "$logs/" || fail "no zip" "$logs/windows.log"
  cp "$root"/root/project/build-windows/rostari-bolt-*-setup.exe "$logs/" || fail "no installer" "$logs/windows.log"
  for png in viewer-wine installer-welcome installer-licence installed-viewer-wine; do
    cp "$root/root/project/build-windows/$png.png" "$logs/" 2>/dev/null
  done
  zip=$(basename "$(ls "$logs"/rostari-bolt-*-win64.zip)")
  setup=$(basename "$(ls "$logs"/rostari-bolt-*-setup.exe)")
  windows_said="; $zip and $setup built and tested under Wine in ${t_windows} s"
  say "scripts/windows-build.sh: $zip ($(du -k "$logs/$zip" | cut -f1) KiB), $setup ($(du -k "$logs/$setup" | cut -f1) KiB) in ${t_windows} s"
fi

in_root "$root" bash -c 'mkdir -p /root/pkg && cd /root/pkg &&
  cpack -G DEB --config /root/project/build/CPackConfig.cmake -B /root/pkg/out' >"$logs/cpack.log" 2>&1 ||
  fail "cpack could not make the package" "$logs/cpack.log"
rm -f "$logs"/rostari-bolt_*.deb
cp "$root"/root/pkg/out/rostari-bolt_*.deb "$logs/" || fail "cpack made no package" "$logs/cpack.log"
deb=$(basename "$(ls "$logs"/rostari-bolt_*.deb)")
stop_root "$root"
roots=()

# 2. The package, installed with apt on another fresh system and started from its menu entry.
say "installing $deb in a second fresh chroot"
t0=$(now)
new_root
cp "$logs/$deb" "$root/root/"
in_root "$root" bash -c 'export DEBIAN_FRONTEND=noninteractive; apt-get update -qq &&
  apt-get install -y -q --no-install-recommends "/root/$1"' install "$deb" >"$logs/install.log" 2>&1 ||
  fail "apt-get install ./$deb failed" "$logs/install.log"
in_root "$root" bash -s >"$logs/menu-entry.log" 2>&1 <<'EOF' || fail "the installed menu entry does not start the viewer" "$logs/menu-entry.log"
set -u
entry=$(ls /usr/share/applications/*.desktop 2>/dev/null | head -n 1)
[ -n "$entry" ] || { echo "no menu entry installed"; exit 1; }
field() { sed -n '/^\[Desktop Entry\]/,/^\[/{s/^'"$1"'=//p}' "$entry" | head -n 1; }
exec_cmd=$(field Exec | sed 's/ *%[fFuUdDnNickvm]//g')
dir=$(field Path)
echo "menu entry $entry: Exec=$exec_cmd Path=$dir"
[ -n "$exec_cmd" ] && [ -d "$dir" ] || { echo "the entry has no Exec or its Path is not a folder"; exit 1; }
cd "$dir"
QT_QPA_PLATFORM=offscreen timeout 6 sh -c "exec $exec_cmd" 2>/root/offscreen.err
status=$?
cat /root/offscreen.err
[ $status -eq 124 ] || { echo "offscreen: the viewer ended with status $status"; exit 1; }
if grep -q 'データベース' /root/offscreen.err; then echo "offscreen: database message on stderr"; exit 1; fi
echo "offscreen: the viewer stayed up without a database message"
EOF
t_install=$(($(now) - t0))

# The same entry on a real X screen: the window is mapped and shows something.
in_root "$root" bash -c 'export DEBIAN_FRONTEND=noninteractive;
  apt-get install -y -qq --no-install-recommends xvfb x11-utils x11-apps netpbm' >"$logs/xvfb-install.log" 2>&1 ||
  fail "cannot install Xvfb for the screenshot" "$logs/xvfb-install.log"
in_root "$root" bash -s >"$logs/screen.log" 2>&1 <<'EOF' || fail "the viewer did not show on the Xvfb screen" "$logs/screen.log"
set -u
entry=$(ls /usr/share/applications/*.desktop | head -n 1)
field() { sed -n '/^\[Desktop Entry\]/,/^\[/{s/^'"$1"'=//p}' "$entry" | head -n 1; }
exec_cmd=$(field Exec | sed 's/ *%[fFuUdDnNickvm]//g')
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>/root/display 2>/root/xvfb.log &
xvfb=$!
for _ in $(seq 100); do [ -s /root/display ] && break; sleep 0.1; done
export DISPLAY=":$(head -n 1 /root/display)"
xwininfo -root >/dev/null || { echo "Xvfb did not start"; cat /root/xvfb.log; exit 1; }
(cd "$(field Path)" && exec sh -c "exec $exec_cmd") 2>/root/screen.err &
viewer=$!
win=
for _ in $(seq 200); do
  win=$(xwininfo -root -tree | awk '/JIS B 1176/ && $2 != "(has" { print $1; exit }')
  [ -n "$win" ] && break
  sleep 0.1
done
status=0
if [ -z "$win" ]; then
  echo "no viewer window on the screen"; status=1
else
  sleep 3 # the first record arrives from the reader process just after the window is shown
  xwininfo -id "$win" | grep -E 'Width|Height|Map State'
  xwd -silent -id "$win" | xwdtopnm 2>/dev/null >/root/screen.ppm
  pnmtopng /root/screen.ppm >/root/screen.png
  colours=$(ppmhist -noheader /root/screen.ppm | wc -l)
  echo "screenshot: $colours colours"
  kill -0 $viewer 2>/dev/null || { echo "the viewer ended"; status=1; }
  [ "$colours" -ge 32 ] || { echo "the window is nearly blank"; status=1; }
fi
cat /root/screen.err
if grep -q 'データベース' /root/screen.err; then echo "database message on stderr"; status=1; fi
kill $viewer $xvfb 2>/dev/null
exit $status
EOF
cp "$root/root/screen.png" "$logs/screen.png" 2>/dev/null
# Package versions that can no longer be downloaded leave the cache.
in_root "$root" apt-get autoclean -qq >/dev/null 2>&1
colours=$(sed -n 's/^screenshot: //p' "$logs/screen.log")
say "package: installed with apt and started from its menu entry in ${t_install} s; on Xvfb: ${colours} ($logs/screen.png)"

echo "fresh Debian 12: base ${t_base} s; ./run viewer up in ${t_run} s; $tried passed in ${t_test} s (${summary})${windows_said}; $deb installs with apt and starts from its menu entry"
exit 0
