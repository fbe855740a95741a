#!/usr/bin/env bash
# Static checks (CI runs both; each also by hand):
#   scripts/lint.sh           both
#   scripts/lint.sh --format  every tracked C++ file outside third_party/ as .clang-format has it (seconds)
#   scripts/lint.sh --tidy    clang-tidy with .clang-tidy's checks on the product code: app/ about/ data/
#                             platform/ tools/ (not tests, bench, fuzz, third_party); a few minutes on 2 cores
# clang-format and clang-tidy are installed when missing (apt, through sudo when not root). clang-tidy reads
# the compile commands of build-lint/, which this script configures (the product code includes no generated
# file, so nothing is built); configuring needs the build packages that ./run or ./test install. Files that
# only another platform compiles (_win, _other) are not in those commands and are not tidied here.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

# A finding fails the run; ROSTARI_TIDY_STRICT=0 only reports them (while trying a check out).
tidy_strict=${ROSTARI_TIDY_STRICT:-1}

run_format=1
run_tidy=1
case "${1:-}" in
  "") ;;
  --format) run_tidy=0 ;;
  --tidy) run_format=0 ;;
  *) echo "usage: scripts/lint.sh [--format | --tidy]" >&2; exit 2 ;;
esac

packages=()
[ $run_format -eq 0 ] || packages+=(clang-format)
[ $run_tidy -eq 0 ] || packages+=(clang-tidy)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  echo "lint: installing ${missing[*]}"
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 update -qq ||
    echo "lint: apt-get update failed; trying the package lists this machine already has" >&2
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=600 install -y -qq \
    --no-install-recommends "${missing[@]}" >/dev/null ||
    { echo "lint: could not install ${missing[*]} (apt-get install ${missing[*]})" >&2; exit 1; }
fi

cd "$root"
status=0

if [ $run_format -eq 1 ]; then
  mapfile -d '' -t sources < <(git ls-files -z -- '*.cpp' '*.h' '*.c' ':!:third_party/')
  log=$(mktemp)
  if clang-format --dry-run --Werror "${sources[@]}" 2>"$log"; then
    echo "lint: format: ${#sources[@]} files as .clang-format has them"
  else
    cat "$log" >&2
    mapfile -t wrong < <(grep -oE '^[^:]+:[0-9]+:[0-9]+: error' "$log" | cut -d: -f1 | sort -u)
    echo "lint: format: ${#wrong[@]} of ${#sources[@]} files differ (clang-format -i FILE): ${wrong[*]}" >&2
    status=1
  fi
  rm -f "$log"
fi

if [ $run_tidy -eq 1 ]; then
  started=$(date +%s)
  tree=$root/build-lint
  mkdir -p "$tree"
  cmake -S "$root" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF \
    -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$tree/configure.log" 2>&1 ||
    { cat "$tree/configure.log" >&2; echo "lint: tidy: cannot configure $tree" >&2; exit 1; }
  # The product's translation units that this platform compiles.
  files=()
  while IFS= read -r f; do
    grep -qF "\"file\": \"$root/$f\"" "$tree/compile_commands.json" && files+=("$f")
  done < <(git ls-files -- 'app/*.cpp' 'about/*.cpp' 'data/*.cpp' 'platform/*.cpp' 'tools/*.cpp')
  out=$tree/tidy.txt
  # Headers are checked where the product's own are included; Qt's and the system's are not.
  filter="^$(printf '%s' "$root" | sed 's/[].[^$*+?(){}|\\]/\\&/g')/(app|about|data|platform|tools)/"
  printf '%s\0' "${files[@]}" |
    xargs -0 -n 4 -P "$(nproc)" clang-tidy -p "$tree" --quiet --header-filter="$filter" >"$out" 2>"$tree/tidy.log" ||
    true
  # A header included by several files is reported once.
  mapfile -t findings < <(grep -E '^/.*: (warning|error): .*\[[a-z][a-zA-Z0-9.,-]*\]$' "$out" |
    sed -E "s|^$root/||; :up; s#(^|/)[^/.][^/]*/\.\./#\1#; t up" | sort -u)
  seconds=$(($(date +%s) - started))
  if [ ${#findings[@]} -eq 0 ]; then
    echo "lint: tidy: ${#files[@]} files, no findings (${seconds} s)"
  else
    printf '%s\n' "${findings[@]}"
    echo "lint: tidy: ${#findings[@]} findings in ${#files[@]} files (${seconds} s; the whole output in $out)"
    if [ "$tidy_strict" = 1 ]; then
      status=1
    else
      echo "lint: tidy: reporting only (ROSTARI_TIDY_STRICT=0)"
    fi
  fi
fi

exit $status
