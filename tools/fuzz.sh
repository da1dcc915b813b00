#!/usr/bin/env bash
# Builds the libFuzzer harnesses with clang in build-fuzz and runs each for SECONDS
# (default 30), starting from the seed corpus of tests/fuzz/corpus. Fails on any
# crash, leak, undefined behaviour or broken property; the input that broke it is
# left in build-fuzz/artifacts.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=${FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -DLEXIFIND_FUZZ=ON -DBUILD_TESTING=OFF \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_CXX_COMPILER_LAUNCHER:+-DCMAKE_CXX_COMPILER_LAUNCHER=$CMAKE_CXX_COMPILER_LAUNCHER} >/dev/null
harnesses=(fuzz_projectfile fuzz_codec fuzz_pageencoding)
cmake --build "$build" -j2 --target "${harnesses[@]}"
mkdir -p "$build/artifacts"
status=0
for harness in "${harnesses[@]}"; do
    # New inputs go to the build folder; the committed seeds are only read.
    corpus="$build/corpus/$harness"
    mkdir -p "$corpus"
    echo "== $harness, $seconds s"
    if ! "$build/tests/fuzz/$harness" -max_total_time="$seconds" -print_final_stats=1 \
            -artifact_prefix="$build/artifacts/$harness-" "$corpus" "tests/fuzz/corpus/$harness" \
            2>"$build/$harness.log"; then
        tail -n 40 "$build/$harness.log"
        echo "!! $harness failed"
        status=1
    else
        grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' "$build/$harness.log" || true
    fi
done
exit $status
