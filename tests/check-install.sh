#!/usr/bin/env bash
# Installs build folder $1 into scratch prefix $2; a desktop's own tools check what it finds.
set -euo pipefail
rm -rf "$2"
cmake --install "$1" --prefix "$2" >/dev/null
cd "$2"
ls bin/ketterby bin/ketterby-cli share/man/man1/ketterby-cli.1 share/ketterby/help.htm \
   share/icons/hicolor/scalable/apps/ketterby.svg >/dev/null
grep '@[A-Z_]*@' share/ketterby/help.htm share/metainfo/*.metainfo.xml && exit 1
desktop-file-validate share/applications/ketterby.desktop
appstreamcli validate --no-net share/metainfo/org.ketterby.ketterby.metainfo.xml
