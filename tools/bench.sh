#!/usr/bin/env bash
# Builds and runs the benchmarks: lexifind-page on lessons of 1, 10 and 20 MB of text
# (5000 entries), its wall time against cp of the same page's bytes, both writing to
# standard output (medians of three), and its peak memory; then the page of a 10 MB
# lesson step by step, and the document's own benchmark when it has been built.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target bench_page lexifind-page
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Median of three runs of a command, in seconds; the last run's peak memory (kB) in
# the file $work/peak.
median_time() {
    local times=()
    for _ in 1 2 3; do
        local start=$EPOCHREALTIME
        /usr/bin/time -f '%M' -o "$work/time" "$@" >"$work/out" 2>/dev/null
        local end=$EPOCHREALTIME
        cp "$work/time" "$work/peak"
        times+=("$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')")
    done
    printf '%s\n' "${times[@]}" | sort -n | sed -n 2p
}

echo "== lexifind-page PROJECT - (standard output to a file), against cp of the page"
printf '%-8s %10s %10s %8s %10s %10s\n' text page page_s cp_s ratio peak_MB
for mb in 1 10 20; do
    project="$work/lecon-$mb.lxf"
    "$build/tools/bench_page" --project "$project" $((mb * 1024 * 1024)) 5000
    "$build/tools/lexifind-page" "$project" - >"$work/page.htm" 2>/dev/null
    page_mb=$(awk -v b="$(stat -c %s "$work/page.htm")" 'BEGIN { printf "%.1f", b / 1048576 }')
    tool_s=$(median_time "$build/tools/lexifind-page" "$project" -)
    tool_peak=$(cat "$work/peak")
    cp_s=$(median_time cp "$work/page.htm" /dev/stdout)
    awk -v t="$tool_s" -v c="$cp_s" -v m="$mb" -v p="$page_mb" -v k="$tool_peak" 'BEGIN {
        printf "%-8s %10s %10.3f %8.3f %10s %10.0f\n", m " MB", p " MB", t, c,
               (c > 0 ? sprintf("%.1fx", t / c) : "-"), k / 1024 }'
done

echo "== bench_page"
"$build/tools/bench_page" "$@"
cmake --build "$build" -j2 --target bench_division >/dev/null
echo "== bench_division"
"$build/tools/bench_division" "$@"
cmake --build "$build" -j2 --target bench_window >/dev/null
echo "== bench_window"
"$build/tools/bench_window" "$@" 2>/dev/null
if cmake --build "$build" -j2 --target bench_document >/dev/null 2>&1 \
        && [ -x "$build/tests/document/bench_document" ]; then
    echo "== bench_document"
    "$build/tests/document/bench_document"
fi
