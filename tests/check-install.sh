#!/usr/bin/env bash
# Installs build folder $1 into scratch prefix $2; a desktop's own tools check what it finds.
set -euo pipefail
rm -rf "$2"
cmake --install "$1" --prefix "$2" >/dev/null
cd "$2"
id=org.ketterby.ketterby
ls bin/ketterby bin/ketterby-cli share/ketterby/help.htm share/icons/hicolor/scalable/apps/$id.svg \
   share/icons/hicolor/{16x16,32x32,64x64,128x128}/apps/$id.png share/doc/ketterby/copyright \
   >/dev/null
# Every program has its manual page, and man renders it without a warning.
for program in bin/*; do
    warnings=$(zcat "share/man/man1/${program#bin/}.1.gz" | groff -man -ww -z 2>&1)
    [ -z "$warnings" ] || { echo "$program: $warnings"; exit 1; }
done
# The entry, its icon and the metainfo's launchable all name one ID.
grep -qx "Icon=$id" share/applications/$id.desktop
grep -q ">$id.desktop</launchable>" share/metainfo/$id.metainfo.xml
grep '@[A-Z_]*@' share/ketterby/help.htm share/metainfo/*.metainfo.xml && exit 1
desktop-file-validate share/applications/$id.desktop
appstreamcli validate --pedantic --no-net share/metainfo/$id.metainfo.xml
appstream-util validate --nonet share/metainfo/$id.metainfo.xml
