// Shared routines of the forms: twips layout, lists, centring.
#include "gui/FormRoutines.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QScreen>
#include <QScrollBar>

#include <cmath>

namespace FormRoutines {

void SetListExtent(QAbstractItemView& list, const QString& text) {
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

QString SelectedItemText(const QAbstractItemView& list) {
    const QModelIndex item = list.currentIndex();
    return item.isValid() && list.selectionModel()->isSelected(item) ? item.data().toString()
                                                                     : QString();
}

void SetFocusOrder(std::initializer_list<QWidget*> widgets) {
    for (auto next = widgets.begin() + 1; next < widgets.end(); ++next)
        QWidget::setTabOrder(*(next - 1), *next);
}

void CenterOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->geometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

} // namespace FormRoutines
