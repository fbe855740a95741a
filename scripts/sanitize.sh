#!/usr/bin/env bash
# The whole test suite once more, built with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build-asan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DROSTARI_SANITIZE=ON -DROSTARI_WERROR=ON >/dev/null
cmake --build "$root/build-asan" -j "$(nproc)"
# Leaks inside fontconfig and the platform plugins are not ours; errors are fatal.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export QT_QPA_PLATFORM=offscreen
"$root/scripts/desktop-session.sh" ctest --test-dir "$root/build-asan" --output-on-failure -j "$(nproc)" -LE nosanitize
