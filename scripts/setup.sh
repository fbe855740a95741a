#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing, through sudo when not root),
# then configures and builds a Release build in build/.
#   scripts/setup.sh          what ./run needs: the viewer, its reader and the bundled database.
#                             A new build/ is configured without tests; a configured one is kept as it is.
#   scripts/setup.sh --test   also what the tests, benches and fuzz smoke test need; everything is
#                             built, warnings as errors
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-run}
case "$mode" in
  run | --test) ;;
  *) echo "usage: scripts/setup.sh [--test]" >&2; exit 2 ;;
esac

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libxcb1-dev mdbtools mdbtools-dev
  fonts-ipafont-gothic qt6-translations-l10n)
packages+=(libseccomp-dev) # the reader's system call filter
if [ "$mode" = --test ]; then
  packages+=(xvfb openbox x11-utils xdotool wmctrl dbus-daemon locales strace clang libclang-rt-14-dev
    libbenchmark-dev appstream desktop-file-utils dpkg-dev file hyperfine time
    python3-fusepy fuse3) # a slow drive for the desktop tests (tests/desktop/slowfs.py)
  packages+=(python3-ezdxf librecad poppler-utils) # readers of the PDF and DXF the program writes
  command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
fi

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
not_installed() {
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}
# apt waits for the dpkg lock itself; the package-list and archive locks it does not wait for, so a
# run that meets one of those (another apt at work) is tried again for up to ten minutes.
apt_get() {
  local log tries=0 status
  log=$(mktemp)
  while :; do
    status=0
    "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 "$@" 2>"$log" || status=$?
    if [ $status -ne 0 ] && grep -q 'Could not get lock' "$log" && [ $tries -lt 60 ]; then
      tries=$((tries + 1))
      sleep 10
      continue
    fi
    cat "$log" >&2
    rm -f "$log"
    return $status
  done
}

mapfile -t missing < <(not_installed "${packages[@]}")
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  if [ ${#sudo_cmd[@]} -gt 0 ] && ! command -v sudo >/dev/null 2>&1; then
    echo "setup: these packages are missing and sudo is not installed: ${missing[*]}" >&2
    echo "setup: as root, run: apt-get install ${missing[*]}" >&2
    echo "setup: then run this command again." >&2
    exit 1
  fi
  apt_get update -qq || echo "setup: apt-get update failed; trying the package lists this machine already has" >&2
  if ! apt_get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null; then
    mapfile -t still < <(not_installed "${missing[@]}")
    [ ${#still[@]} -gt 0 ] || still=("${missing[@]}")
    unknown=()
    for p in "${still[@]}"; do
      apt-cache show "$p" >/dev/null 2>&1 || unknown+=("$p")
    done
    echo >&2
    echo "setup: could not install: ${still[*]}" >&2
    [ ${#unknown[@]} -eq 0 ] ||
      echo "setup: not in this machine's package lists: ${unknown[*]} (check /etc/apt/sources.list for Debian 12 'bookworm' main)" >&2
    echo "setup: fix the cause shown above (network, disk space, apt sources), then retry with:" >&2
    echo "    ${sudo_cmd[*]}${sudo_cmd[*]:+ }apt-get update && ${sudo_cmd[*]}${sudo_cmd[*]:+ }apt-get install ${still[*]}" >&2
    echo "setup: and run this command again." >&2
    exit 1
  fi
fi

if [ "$mode" = --test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  # Display values must not follow the locale; the tests prove it under German.
  "${sudo_cmd[@]}" sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi

build=$root/build
if [ "$mode" = --test ]; then
  cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON -DROSTARI_WERROR=ON >/dev/null
  cmake --build "$build" -j "$(nproc)"
else
  # Running needs no test package and no test build. A tree ./test configured stays as it is (switching
  # its options back would rebuild it all); only the program's own targets are built.
  [ -f "$build/build.ninja" ] ||
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF -DROSTARI_WERROR=OFF >/dev/null
  cmake --build "$build" -j "$(nproc)" --target rostari-bolt rostari-mdbread quilldb quilldat
fi
