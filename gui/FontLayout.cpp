// The layout that follows the font: twips, placing, the fixed-pitch font and centring.
#include "gui/FontLayout.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace FontLayout {

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

void CenterOnScreen(QWidget* window) {
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    const QRect area = screen->geometry();
    const QSize size = window->frameGeometry().size();
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

} // namespace FontLayout
