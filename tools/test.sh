#!/usr/bin/env bash
# Sets up, builds and runs every test: core, widgets (offscreen) and the exercise
# pages in Debian's Chromium.
set -euo pipefail
cd "$(dirname "$0")/.."
LEXIFIND_WITH_BROWSER=1 bash tools/setup.sh
npm ci --no-audit --no-fund
ctest --test-dir build --output-on-failure -j"$(nproc)"
# Each fuzz harness for 30 seconds (clang, sanitizers); any crash fails the run.
bash tools/fuzz.sh 30
