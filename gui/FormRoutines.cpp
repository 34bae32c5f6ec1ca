// Shared routines of the forms: twips layout, lists, centring.
#include "gui/FormRoutines.h"

#include <QAbstractItemView>
#include <QFontDatabase>
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

namespace {

constexpr double DesignTwipsPerPixel = 15;
// The design font's 52 letters side by side, and its line height, in pixels.
constexpr int DesignLettersWidth = 385;
constexpr int DesignHeight = 14;
const QString Letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");

double PerPixel(int measured, int design) {
    return DesignTwipsPerPixel * design / measured;
}

} // namespace

Twips::Twips(const QWidget* widget) {
    const QFontMetrics metrics(widget->window()->font());
    perPixelX = PerPixel(metrics.horizontalAdvance(Letters), DesignLettersWidth);
    perPixelY = PerPixel(metrics.height(), DesignHeight);
}

int Twips::X(double twips) const {
    return int(std::lround(twips / perPixelX));
}
int Twips::Y(double twips) const {
    return int(std::lround(twips / perPixelY));
}
double Twips::FromX(int pixels) const {
    return pixels * perPixelX;
}
double Twips::FromY(int pixels) const {
    return pixels * perPixelY;
}

void Place(QWidget* widget, int left, int top, int width, int height) {
    const Twips twips(widget);
    widget->setGeometry(twips.X(left), twips.Y(top), twips.X(width), twips.Y(height));
}

QFont FixedPitchFont(const QWidget* widget) {
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    const QFont& font = widget->font();
    const double size = QFontInfo(font).pointSizeF();
    fixed.setPointSizeF(size);
    // Some fixed-pitch fonts keep more room between lines; the rows drawn for the widget's
    // font must still hold them.
    const double taller = double(QFontMetrics(fixed).height()) / QFontMetrics(font).height();
    if (taller > 1)
        fixed.setPointSizeF(size / taller);
    return fixed;
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
