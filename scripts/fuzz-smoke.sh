#!/usr/bin/env bash
# Builds the libFuzzer target (clang, ASan + UBSan) in build-fuzz/ and fuzzes the loading path
# for a bounded time, starting from the kept corpus and four databases made with quilldb.
#
#   scripts/fuzz-smoke.sh [--seconds N] [--quilldb PATH] [--build DIR] [--keep DIR]
#   scripts/fuzz-smoke.sh [--build DIR] --judge FILE...    judge these inputs, no fuzzing
#
# Every crash, hang or out-of-memory the run finds is run again on its own and judged by its
# stack: the innermost frame that is either in our sources (data/, fuzz/) or in libmdb decides.
#   ours      -> the script fails: a new fault in our code.
#   libmdb    -> listed, not a failure: the viewer's reader process contains it. Reproducers are
#                copied to --keep (default build-fuzz/findings/) for fuzz/regressions/.
#   neither   -> fails too (nothing places it outside our code), with the report shown.
# A finding that does not happen again on its own (a hang under load) is listed and ignored.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=60
quilldb=$root/build/bin/quilldb
build=$root/build-fuzz
keep=
judge=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --quilldb) quilldb=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --keep) keep=$2; shift 2 ;;
    --judge) shift; judge=("$@"); [ ${#judge[@]} -gt 0 ] || exit 2; break ;;
    *) echo "usage: scripts/fuzz-smoke.sh [--seconds N] [--quilldb PATH] [--build DIR] [--keep DIR] [--judge FILE...]" >&2
       exit 2 ;;
  esac
done
keep=${keep:-$build/findings}

cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j 2 >/dev/null
fuzzer=$build/mdbtable_fuzzer

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
options=(-timeout=2 -rss_limit_mb=2048 -max_len=65536)
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

if [ ${#judge[@]} -gt 0 ]; then
  findings=("${judge[@]}")
else
  seeds=$build/seeds
  mkdir -p "$seeds"
  csv=$root/data/cap-screw-sizes.csv
  "$quilldb" build "$csv" "$seeds/jet4.mdb" >/dev/null
  "$quilldb" build "$csv" "$seeds/jet3-cp932.mdb" --format jet3 >/dev/null
  "$quilldb" build "$csv" "$seeds/jet4-single.mdb" --single >/dev/null
  "$quilldb" build "$csv" "$seeds/jet4-sources.mdb" --sources "$root/data/cap-screw-provenance.csv" >/dev/null

  mkdir "$work/new" "$work/artifacts"
  echo "fuzz-smoke: fuzzing for ${seconds} s"
  # Fork mode keeps going after a finding; one job, the machine is shared.
  "$fuzzer" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 "${options[@]}" -close_fd_mask=3 \
    -dict="$root/fuzz/mdbtable.dict" -max_total_time="$seconds" -artifact_prefix="$work/artifacts/" \
    "$work/new" "$root/fuzz/corpus" "$seeds" >"$work/log" 2>&1 || true
  stats=$(grep -E '^#[0-9]+: cov:' "$work/log" | tail -n 1 || true)
  if [ -z "$stats" ]; then
    echo "fuzz-smoke: the fuzzer did not run"
    tail -n 30 "$work/log"
    exit 1
  fi
  echo "fuzz-smoke: $stats"
  shopt -s nullglob
  findings=("$work/artifacts"/*)
fi

# The innermost frame of the first stack that belongs to us or to libmdb: "ours FRAME" or "libmdb FRAME".
verdict() {
  awk -v ours1="$root/data/" -v ours2="$root/fuzz/" '
    /^ *#0 / { stack = 1 }
    stack && !/^ *#[0-9]+ / { exit }
    stack {
      if (index($0, ours1) || index($0, ours2)) { sub(/^ *#[0-9]+ 0x[0-9a-f]+ in /, ""); print "ours " $0; found = 1; exit }
      if ($0 ~ /libmdb\.so/) { sub(/^ *#[0-9]+ 0x[0-9a-f]+ in /, ""); sub(/ \(BuildId.*/, ""); print "libmdb " $0; found = 1; exit }
    }
    END { if (!found) print "neither" }'
}

failed=0
contained=0
for artifact in "${findings[@]}"; do
  name=$(basename "$artifact")
  if report=$("$fuzzer" "${options[@]}" "$artifact" 2>&1); then
    echo "fuzz-smoke: $name did not happen again on its own; ignored"
    continue
  fi
  kind=$(grep -m1 -oE 'ERROR: (AddressSanitizer|UndefinedBehaviorSanitizer|LeakSanitizer|libFuzzer): [A-Za-z0-9 -]+|runtime error: .*' \
    <<<"$report" || echo "unknown")
  where=$(verdict <<<"$report")
  case "$where" in
    libmdb\ *)
      contained=$((contained + 1))
      mkdir -p "$keep"
      cp "$artifact" "$keep/"
      echo "fuzz-smoke: $name: in libmdb ($kind) at ${where#libmdb }" ;;
    *)
      failed=$((failed + 1))
      echo "fuzz-smoke: $name: NOT placed in libmdb ($kind) at ${where}"
      # The whole report for the first few; the rest are most likely the same fault.
      [ $failed -gt 3 ] || grep -E '^ *#[0-9]+ |ERROR|runtime error|SUMMARY' <<<"$report" | head -n 25
      mkdir -p "$keep"
      cp "$artifact" "$keep/" ;;
  esac
done
echo "fuzz-smoke: $contained finding(s) inside libmdb, $failed in our code or unplaced"
[ $contained -eq 0 ] || echo "fuzz-smoke: reproducers kept in $keep (add new ones to fuzz/regressions/)"
[ $failed -eq 0 ]
