#include "app/FormRoutines.h"

#include "app/frmKetterby.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QMenu>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>

#include <cmath>

namespace FormRoutines {

void EnableControls(bool enabled) {
    frmKetterby& window = *frmKetterby::Instance();
    window.SSTab1->setVisible(enabled);
    window.SSTab1->setEnabled(enabled);
    window.mnuCommands->setEnabled(enabled);
}

void SetListExtent(const QString& text) {
    QListWidget& list = *frmKetterby::Instance()->TablesList;
    const int extent = list.fontMetrics().horizontalAdvance(text + "  ");
    QScrollBar& bar = *list.horizontalScrollBar();
    bar.setMaximum(std::max(bar.maximum(), extent - list.viewport()->width()));
}

int TwipsToPixels(double twips) {
    return int(std::lround(twips / TwipsPerPixel));
}
double PixelsToTwips(int pixels) {
    return double(pixels) * TwipsPerPixel;
}

void Place(QWidget* widget, int left, int top, int width, int height) {
    widget->setGeometry(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
                        TwipsToPixels(height));
}

void CenterOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->geometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

} // namespace FormRoutines
