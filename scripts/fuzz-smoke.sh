#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan + UBSan) in build-fuzz/ and fuzzes for a bounded time:
# the loading path, from the kept corpus and four databases made with quilldb, then the viewer's
# decoder of the reader's answer, from its kept corpus and the reader's answers for those databases.
#
#   scripts/fuzz-smoke.sh [--seconds N] [--answer-seconds N] [--quilldb PATH] [--reader PATH]
#                         [--build DIR] [--keep DIR]
#   scripts/fuzz-smoke.sh [--build DIR] --judge FILE...          judge loading-path inputs, no fuzzing
#   scripts/fuzz-smoke.sh [--build DIR] --judge-answer FILE...   judge answer-decoder inputs
#
# Every crash, hang or out-of-memory the run finds is run again on its own and judged by its
# stack: the innermost frame that is either in our sources (data/, fuzz/) or in libmdb decides.
#   ours      -> the script fails: a new fault in our code.
#   libmdb    -> listed, not a failure: the viewer's reader process contains it. Reproducers are
#                copied to --keep (default build-fuzz/findings/) for fuzz/regressions/.
#   neither   -> fails too (nothing places it outside our code), with the report shown.
# The decoder has no libmdb in it: every finding there fails.
# A finding that does not happen again on its own (a hang under load) is listed and ignored.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=60
answer_seconds=20
quilldb=$root/build/bin/quilldb
reader=$root/build/bin/rostari-mdbread
build=$root/build-fuzz
keep=
judge=()
judge_answer=()
while [ $# -gt 0 ]; do
  case "$1" in
    --seconds) seconds=$2; shift 2 ;;
    --answer-seconds) answer_seconds=$2; shift 2 ;;
    --quilldb) quilldb=$2; shift 2 ;;
    --reader) reader=$2; shift 2 ;;
    --build) build=$2; shift 2 ;;
    --keep) keep=$2; shift 2 ;;
    --judge) shift; judge=("$@"); [ ${#judge[@]} -gt 0 ] || exit 2; break ;;
    --judge-answer) shift; judge_answer=("$@"); [ ${#judge_answer[@]} -gt 0 ] || exit 2; break ;;
    *) echo "usage: scripts/fuzz-smoke.sh [--seconds N] [--answer-seconds N] [--quilldb PATH] [--reader PATH]" \
         "[--build DIR] [--keep DIR] [--judge FILE... | --judge-answer FILE...]" >&2
       exit 2 ;;
  esac
done
keep=${keep:-$build/findings}

cmake -S "$root/fuzz" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j 2 >/dev/null
fuzzer=$build/mdbtable_fuzzer
answer_fuzzer=$build/answer_fuzzer

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
options=(-timeout=2 -rss_limit_mb=2048 -max_len=65536)
# The largest answer the decoder can accept is near 2.5 MB; 256 KB reaches every limit but the
# answer's size. Any one allocation over 64 MB is a finding, and so is an RSS over 256 MB.
answer_options=(-timeout=2 -rss_limit_mb=256 -malloc_limit_mb=64 -max_len=262144)
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

findings=()
answer_findings=()
if [ ${#judge[@]} -gt 0 ] || [ ${#judge_answer[@]} -gt 0 ]; then
  findings=("${judge[@]}")
  answer_findings=("${judge_answer[@]}")
else
  seeds=$build/seeds
  mkdir -p "$seeds"
  csv=$root/data/cap-screw-sizes.csv
  "$quilldb" build "$csv" "$seeds/jet4.mdb" >/dev/null
  "$quilldb" build "$csv" "$seeds/jet3-cp932.mdb" --format jet3 >/dev/null
  "$quilldb" build "$csv" "$seeds/jet4-single.mdb" --single >/dev/null
  "$quilldb" build "$csv" "$seeds/jet4-sources.mdb" --sources "$root/data/cap-screw-provenance.csv" >/dev/null

  # One bounded fork-mode run (it keeps going after a finding; one job, the machine is shared):
  # fuzz LABEL LOG SECONDS DICT ARTIFACTS FUZZER [OPTION...] -- CORPUS...
  fuzz() {
    local label=$1 log=$2 time=$3 dict=$4 artifacts=$5 program=$6 opts=() stats
    shift 6
    while [ "$1" != -- ]; do opts+=("$1"); shift; done
    shift
    mkdir -p "$artifacts"
    echo "fuzz-smoke: fuzzing $label for ${time} s"
    "$program" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 "${opts[@]}" -close_fd_mask=3 \
      -dict="$dict" -max_total_time="$time" -artifact_prefix="$artifacts/" "$@" >"$log" 2>&1 || true
    stats=$(grep -E '^#[0-9]+: cov:' "$log" | tail -n 1 || true)
    if [ -z "$stats" ]; then
      echo "fuzz-smoke: the fuzzer of $label did not run"
      tail -n 30 "$log"
      exit 1
    fi
    echo "fuzz-smoke: $stats"
  }

  mkdir "$work/new" "$work/answer-new"
  fuzz "the loading path" "$work/log" "$seconds" "$root/fuzz/mdbtable.dict" "$work/artifacts" \
    "$fuzzer" "${options[@]}" -- "$work/new" "$root/fuzz/corpus" "$seeds"

  answer_seeds=$build/answer-seeds
  mkdir -p "$answer_seeds"
  for db in "$seeds"/*.mdb; do
    "$reader" "$db" >"$answer_seeds/$(basename "$db" .mdb).answer"
  done
  fuzz "the answer decoder" "$work/answer-log" "$answer_seconds" "$root/fuzz/answer.dict" "$work/answer-artifacts" \
    "$answer_fuzzer" "${answer_options[@]}" -- "$work/answer-new" "$root/fuzz/answer-corpus" "$answer_seeds"
  shopt -s nullglob
  findings=("$work/artifacts"/*)
  answer_findings=("$work/answer-artifacts"/*)
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
judged=()
for artifact in "${findings[@]}"; do judged+=("mdbtable $artifact"); done
for artifact in "${answer_findings[@]}"; do judged+=("answer $artifact"); done
for entry in "${judged[@]}"; do
  artifact=${entry#* }
  name=$(basename "$artifact")
  if [ "${entry%% *}" = answer ]; then
    run=("$answer_fuzzer" "${answer_options[@]}")
  else
    run=("$fuzzer" "${options[@]}")
  fi
  if report=$("${run[@]}" "$artifact" 2>&1); then
    echo "fuzz-smoke: $name did not happen again on its own; ignored"
    continue
  fi
  kind=$(grep -m1 -oE 'ERROR: (AddressSanitizer|UndefinedBehaviorSanitizer|LeakSanitizer|libFuzzer): [A-Za-z0-9 -]+|runtime error: .*' \
    <<<"$report" || echo "unknown")
  where=$(verdict <<<"$report")
  [ "${entry%% *}" = mdbtable ] || where="ours (answer decoder) $where"
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
