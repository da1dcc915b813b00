#!/usr/bin/env bash
# Sets up, builds and runs Lexifind. Without a display, writes the sample lesson's
# exercise page with lexifind-page instead and says where it is.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec ./build/ui/main/lexifind
fi
mkdir -p out
./build/tools/lexifind-page examples/lecon-le-marche.lxf out/lecon-le-marche
echo "No display: the sample lesson's page is $(pwd)/out/lecon-le-marche.htm"
