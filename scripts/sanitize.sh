#!/usr/bin/env bash
# The whole test suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer
# (in build-asan/; tests labelled nosanitize are left out).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DROSTARI_SANITIZE=ON -DROSTARI_WERROR=ON >/dev/null
cmake --build "$root/build-asan" -j "$(nproc)"

# Every error is fatal, leaks included. Suppressed: libdbus, which Qt's xcb platform opens for the
# session bus and never frees. strict_string_checks stays off: xkbcommon-x11 gives strndup a name
# that is not NUL-terminated, which strndup allows. LeakSanitizer cannot run under ptrace, so the
# strace test turns leak checking off for the program it traces.
suppressions=$(mktemp)
trap 'rm -f "$suppressions"' EXIT
echo 'leak:libdbus-1.so' >"$suppressions"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$suppressions
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
"$root/scripts/desktop-session.sh" ctest --test-dir "$root/build-asan" --output-on-failure -j "$(nproc)" -LE nosanitize
