#!/usr/bin/env bash
# check-package.sh BUILD_DIR SAMPLE.lxf: builds the Debian package, unpacks it into a
# temporary root and runs the page writer found there.
set -euo pipefail
build=$1 sample=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
id=org.lexifind.Lexifind

(cd "$build" && cpack -G DEB -B "$work/out" > "$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$work/out/lexifind_1.22_amd64.deb
[ -f "$deb" ] || { ls "$work/out"; exit 1; }

# Its library dependencies were read from the binaries.
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 libc6 fonts-liberation2 qt6-translations-l10n; do
    grep -q "$lib" <<< "$depends" || { echo "no $lib in: $depends"; exit 1; }
done

dpkg-deb -x "$deb" "$work/root"
expected="./usr/bin/lexifind
./usr/bin/lexifind-page
./usr/share/applications/$id.desktop
./usr/share/icons/hicolor/128x128/apps/$id.png
./usr/share/icons/hicolor/16x16/apps/$id.png
./usr/share/icons/hicolor/22x22/apps/$id.png
./usr/share/icons/hicolor/24x24/apps/$id.png
./usr/share/icons/hicolor/256x256/apps/$id.png
./usr/share/icons/hicolor/32x32/apps/$id.png
./usr/share/icons/hicolor/48x48/apps/$id.png
./usr/share/icons/hicolor/512x512/apps/$id.png
./usr/share/icons/hicolor/64x64/apps/$id.png
./usr/share/icons/hicolor/scalable/apps/$id.svg
./usr/share/man/man1/lexifind-page.1.gz
./usr/share/metainfo/$id.metainfo.xml
./usr/share/mime/packages/$id.xml"
actual=$(cd "$work/root" && find . -type f | LC_ALL=C sort)
[ "$actual" = "$expected" ] || { diff <(echo "$expected") <(echo "$actual"); exit 1; }

"$work/root/usr/bin/lexifind-page" "$sample" "$work/page"
grep -q '</html>' "$work/page.htm"
[ "$("$work/root/usr/bin/lexifind-page" --version)" = "Lexifind 1.22" ]
echo "package checked: $(dpkg-deb -f "$deb" Package Version Architecture | tr '\n' ' ')"
