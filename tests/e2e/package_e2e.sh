#!/usr/bin/env bash
# package_e2e.sh -- cpack makes the Debian package of the installed files: its file list holds the
# program, the game folder, the desktop entry, the icons and the metadata under /usr, and its
# dependencies, found from the program's libraries, name the libraries the game links (and the
# OpenGL library that SDL loads).
set -euo pipefail
build=$(dirname "$1")
work=$(mktemp -d /tmp/zedoria-package-XXXXXX)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/zedoria_*.deb)
dpkg-deb -c "$deb" | awk '{print $6}' >"$work/files"
for file in ./usr/bin/zedoria ./usr/share/zedoria/gfx/0.png ./usr/share/zedoria/sfx/door_bell.wav \
  ./usr/share/zedoria/data/Endpos.txt \
  ./usr/share/zedoria/data/highscore.dat ./usr/share/applications/de.zedoria.Zedoria.desktop \
  ./usr/share/metainfo/de.zedoria.Zedoria.metainfo.xml \
  ./usr/share/icons/hicolor/16x16/apps/de.zedoria.Zedoria.png \
  ./usr/share/icons/hicolor/256x256/apps/de.zedoria.Zedoria.png; do
  grep -qxF "$file" "$work/files" || { echo "not in the package: $file"; exit 1; }
done
! grep -e optionen.txt -e '\.written' "$work/files" || { echo "build leftovers packaged"; exit 1; }
[ "$(dpkg-deb -f "$deb" Package)" = zedoria ] || { echo "package name"; exit 1; }
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libsdl2-2.0-0 libpng16-16 libfreetype6 libfontconfig1 libopengl0 libgl1; do
  grep -qE "(^|, )$library( |,|$)" <<<"$depends" || { echo "Depends lacks $library: $depends"; exit 1; }
done
echo "package e2e: passed"
