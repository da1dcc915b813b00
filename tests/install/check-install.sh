#!/usr/bin/env bash
# check-install.sh BUILD_DIR SAMPLE.lxf: installs into a temporary folder and checks
# what the desktop reads there with its own validators.
set -euo pipefail
build=$1 sample=$2
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
id=org.lexifind.Lexifind

cmake --install "$build" --prefix "$root/usr" > /dev/null
share=$root/usr/share
for f in bin/lexifind bin/lexifind-page share/applications/$id.desktop \
         share/metainfo/$id.metainfo.xml share/mime/packages/$id.xml \
         share/icons/hicolor/scalable/apps/$id.svg share/man/man1/lexifind-page.1.gz; do
    [ -f "$root/usr/$f" ] || { echo "missing: $f"; exit 1; }
done

desktop-file-validate "$share/applications/$id.desktop"
grep -qx 'Categories=Education;Languages;' "$share/applications/$id.desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"

# Each PNG size is an image of that size.
for size in 16 22 24 32 48 64 128 256 512; do
    png=$share/icons/hicolor/${size}x${size}/apps/$id.png
    file "$png" | grep -q "PNG image data, $size x $size" || { echo "bad icon: $png"; exit 1; }
done

# The file type as a file manager sees it, and Lexifind as the program that opens it.
update-mime-database "$share/mime" > /dev/null
update-desktop-database "$share/applications"
cp "$sample" "$root/lecon.lxf"
export XDG_DATA_HOME=$root/home XDG_DATA_DIRS=$share XDG_CONFIG_HOME=$root/config XDG_CURRENT_DESKTOP=GNOME
type=$(xdg-mime query filetype "$root/lecon.lxf")
[ "$type" = application/x-lexifind-project ] || { echo "file type: $type"; exit 1; }
grep -q '<comment>Projet Lexifind</comment>' "$share/mime/application/x-lexifind-project.xml"
default=$(xdg-mime query default application/x-lexifind-project)
[ "$default" = $id.desktop ] || { echo "default program: $default"; exit 1; }
# Lexifind opens text files from its menu, but never becomes their default program.
default=$(xdg-mime query default text/plain)
[ "$default" != $id.desktop ] || { echo "Lexifind claims text/plain"; exit 1; }

# The man page reads and names every option of --help; the program says its version.
gzip -t "$share/man/man1/lexifind-page.1.gz"
man=$(gzip -dc "$share/man/man1/lexifind-page.1.gz")
for option in $("$root/usr/bin/lexifind-page" --help | grep -o -- '--[a-z0-9-]*' | sort -u); do
    grep -qF -- "${option//-/\\-}" <<< "$man" || { echo "man page lacks $option"; exit 1; }
done
for name in PageTitle MasteryScore; do grep -q "$name" <<< "$man"; done
[ "$("$root/usr/bin/lexifind-page" --version)" = "Lexifind 1.22" ]
echo "install checked in $root"
