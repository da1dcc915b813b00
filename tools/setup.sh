#!/usr/bin/env bash
# Installs what Lexifind needs and is missing (Debian, as root), then configures and
# builds it in ./build. Used by run.sh and test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config qt6-base-dev libgl-dev fonts-dejavu-core
          libicu-dev libzip-dev fonts-liberation2 qt6-translations-l10n
          libcsv-dev zlib1g-dev)
# libcsv reads and writes the word lists (RFC 4180 quoting); zlib inflates the dictd
# dictionaries (.dict.dz).
# What only the tests use: fuzzing, checking the installed files and the package, and
# xmllint for the SCORM manifests against ADL's schemas.
[ "${LEXIFIND_WITH_BROWSER:-0}" = 1 ] && packages+=(clang libclang-rt-14-dev
          desktop-file-utils appstream shared-mime-info xdg-utils dpkg-dev file unzip
          libglib2.0-bin libxml2-utils)
[ "${LEXIFIND_WITH_BROWSER:-0}" = 1 ] && packages+=(chromium)
# The dictionary tests make small dictionaries with dictfmt and dictzip, and fill
# definitions from a real FreeDict dictionary (360 KB).
[ "${LEXIFIND_WITH_BROWSER:-0}" = 1 ] && packages+=(dictfmt dictzip dict-freedict-fra-eng)
# The worksheet's PDF read back (pdftotext, pdfinfo, pdftoppm), and the faces that its
# Chinese and Japanese lessons print with.
[ "${LEXIFIND_WITH_BROWSER:-0}" = 1 ] && packages+=(poppler-utils fonts-noto-cjk)
command -v node >/dev/null 2>&1 || packages+=(nodejs npm)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    apt-get update
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
