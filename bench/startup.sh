#!/usr/bin/env bash
# Start-up of the viewer against a bare Qt window: runs startup_bench and startup_baseline
# alternately (so drift in machine load hits both alike), each under /usr/bin/time -v for
# its peak RSS, and prints the median wall time and peak RSS of each and their ratios.
# startup_plainwindow (stock widgets showing the same texts in the same fonts) runs in the
# same rotation when it is built, as the floor of what those texts cost.
#
#   bench/startup.sh [--pairs N] [--bin-dir DIR] [--data-dir DIR]
#
# DIR defaults: bin/ and share/rostari-bolt/ of the build in ./build (the one ./run and ./test make).
set -euo pipefail

pairs=25
root=$(cd "$(dirname "$0")/.." && pwd)
bin_dir=$root/build/bin
data_dir=
while (($#)); do
    case $1 in
    --pairs) pairs=$2; shift 2 ;;
    --bin-dir) bin_dir=$2; shift 2 ;;
    --data-dir) data_dir=$2; shift 2 ;;
    *) echo "usage: $0 [--pairs N] [--bin-dir DIR] [--data-dir DIR]" >&2; exit 2 ;;
    esac
done
bin_dir=$(cd "$bin_dir" && pwd)
[[ -n $data_dir ]] || data_dir=$bin_dir/../share/rostari-bolt
data_dir=$(cd "$data_dir" && pwd)
[[ -f $data_dir/quilldat.mdb ]] || { echo "no quilldat.mdb in $data_dir" >&2; exit 1; }
for program in startup_bench startup_baseline; do
    [[ -x $bin_dir/$program ]] || { echo "no $bin_dir/$program: build the bench targets first" >&2; exit 1; }
done
programs=(startup_bench startup_baseline)
[[ -x $bin_dir/startup_plainwindow ]] && programs+=(startup_plainwindow)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/runtime"
chmod 700 "$work/runtime"
# Both start with no stored settings and the same environment.
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
cd "$data_dir"

# One run: appends "<wall µs> <peak RSS KiB>" to the program's file.
run() {
    local program=$1 start end rss
    start=$EPOCHREALTIME
    if ! /usr/bin/time -v -o "$work/time.txt" "$bin_dir/$program" >/dev/null 2>"$work/stderr.txt"; then
        echo "$program failed:" >&2
        cat "$work/stderr.txt" "$work/time.txt" >&2
        exit 1
    fi
    end=$EPOCHREALTIME
    rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time.txt")
    echo "$((${end//[.,]/} - ${start//[.,]/})) $rss" >>"$work/$program.txt"
}

# One untimed run each first, so neither pays for a cold page cache.
for program in "${programs[@]}"; do run "$program"; done
rm -f "$work"/startup_*.txt
for ((i = 0; i < pairs; ++i)); do
    for program in "${programs[@]}"; do run "$program"; done
done

median() { # column of a results file
    sort -n -k"$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}
bench_wall=$(median "$work/startup_bench.txt" 1)
base_wall=$(median "$work/startup_baseline.txt" 1)
bench_rss=$(median "$work/startup_bench.txt" 2)
base_rss=$(median "$work/startup_baseline.txt" 2)

fuzz=$(pgrep -c fuzz || true)
echo "pairs: $pairs, alternating; $(nproc) cores; $(awk -F': ' '/model name/ { print $2; exit }' /proc/cpuinfo);" \
    "load average $(cut -d' ' -f1-3 /proc/loadavg); fuzz processes at the end: $fuzz"
awk -v bw="$bench_wall" -v aw="$base_wall" -v br="$bench_rss" -v ar="$base_rss" 'BEGIN {
    printf "%-18s %14s %18s\n", "", "wall (median)", "peak RSS (median)"
    printf "%-18s %11.1f ms %14.1f MiB\n", "startup_bench", bw / 1000, br / 1024
    printf "%-18s %11.1f ms %14.1f MiB\n", "startup_baseline", aw / 1000, ar / 1024
    printf "%-18s %12.3f x %16.3f x\n", "ratio", bw / aw, br / ar
    printf "%-18s %12s %18s\n", "target <= 1.25 x", (bw / aw <= 1.25) ? "met" : "missed", (br / ar <= 1.25) ? "met" : "missed"
}'
for program in "${programs[@]:2}"; do
    awk -v name="$program" -v fw="$(median "$work/$program.txt" 1)" -v aw="$base_wall" \
        -v fr="$(median "$work/$program.txt" 2)" -v ar="$base_rss" 'BEGIN {
        printf "%-18s %11.1f ms %14.1f MiB   (%.3f x, %.3f x)\n", name, fw / 1000, fr / 1024, fw / aw, fr / ar
    }'
done
