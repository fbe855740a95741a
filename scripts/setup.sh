#!/usr/bin/env bash
# Installs the Debian packages the build needs (only those missing), then
# configures and builds a Release build in build/.
#   scripts/setup.sh          what ./run needs
#   scripts/setup.sh --test   also what the test suite needs, warnings as errors
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
mode=${1:-run}

packages=(build-essential cmake ninja-build pkg-config qt6-base-dev libgl-dev libxcb1-dev mdbtools mdbtools-dev
  fonts-ipafont-gothic qt6-translations-l10n)
packages+=(libseccomp-dev) # the reader's system call filter
if [ "$mode" = --test ]; then
  packages+=(xvfb openbox x11-utils xdotool wmctrl locales strace clang libclang-rt-14-dev
    libgtest-dev libbenchmark-dev appstream desktop-file-utils dpkg-dev file hyperfine time)
  command -v npm >/dev/null 2>&1 || packages+=(nodejs npm)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if [ "$mode" = --test ] && ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  # Display values must not follow the locale; the tests prove it under German.
  "${sudo_cmd[@]}" sed -i 's/^# *\(de_DE.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
  "${sudo_cmd[@]}" locale-gen >/dev/null
fi

werror=OFF
[ "$mode" = --test ] && werror=ON
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DROSTARI_WERROR=$werror >/dev/null
cmake --build "$root/build" -j "$(nproc)"
