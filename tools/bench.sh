#!/usr/bin/env bash
# Builds and runs the benchmarks: the page of a 10 MB lesson with 5000 entries, and
# the document's own benchmark when it has been built.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target bench_page
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
