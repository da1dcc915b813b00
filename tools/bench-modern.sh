#!/usr/bin/env bash
# Sizes, load-ready times and the cost of an answer (a click, a key) on the classic and
# the modern page for texts of 100 KB, 1 MB and 10 MB in Debian's Chromium (see
# tools/bench-modern.mjs for BENCH_SIZES, BENCH_STYLES, BENCH_TIMEOUT).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target lexifind-page >/dev/null
LEXIFIND_PAGE="$build/tools/lexifind-page" node tools/bench-modern.mjs
