#!/usr/bin/env bash
# Renders data/ketterby.svg, with Qt's own SVG renderer, into the PNG sizes the program decodes
# for its window icon (a PNG needs no plugin; an SVG needs Qt's SVG library and two plugins).
# Run it after changing the SVG; it needs the build's packages and libqt6svg6.
set -euo pipefail
data="$(cd "$(dirname "$0")/../data" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cat >"$work/render.cpp" <<'CPP'
#include <QGuiApplication>
#include <QIcon>
#include <QPixmap>
int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    const QIcon icon(argv[1]);
    for (int i = 3; i < argc; ++i) {
        const int size = QString(argv[i]).toInt();
        if (!icon.pixmap(size).save(QString("%1/ketterby-%2.png").arg(argv[2]).arg(size)))
            return 1;
    }
}
CPP
g++ -fPIC "$work/render.cpp" -o "$work/render" $(pkg-config --cflags --libs Qt6Gui)
QT_QPA_PLATFORM=offscreen "$work/render" "$data/ketterby.svg" "$data/icons" 16 32 64 128
