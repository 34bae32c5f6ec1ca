// The program's style: the desktop's, with icons that cost nothing until drawn and stay sharp.
#include "gui/ProgramStyle.h"

#include <QIconEngine>
#include <QPainter>
#include <QPointer>
#include <QStyleOption>
#include <QWidget>

#include <functional>

namespace {

// An icon that asks for the real one only when it is first drawn or measured.
class DeferredIconEngine : public QIconEngine {
  public:
    explicit DeferredIconEngine(std::function<QIcon()> load) : load(std::move(load)) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    bool isNull() override { return false; }
    QIconEngine* clone() const override { return new DeferredIconEngine(*this); }

  private:
    const QIcon& Icon() {
        if (!loaded) {
            icon = load();
            loaded = true;
        }
        return icon;
    }

    std::function<QIcon()> load;
    QIcon icon;
    bool loaded = false;
};

// A message-box icon drawn with lines and text at whatever size it is asked for, so it stays
// sharp at any scale: a round sign with "i", "?" or a cross, or a triangle with "!".
class MessageIconEngine : public QIconEngine {
  public:
    explicit MessageIconEngine(QStyle::StandardPixmap kind) : kind(kind) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        const QRectF sign = QRectF(rect).adjusted(1, 1, -1, -1);
        const double side = sign.height();
        if (kind == QStyle::SP_MessageBoxWarning) {
            painter->setBrush(QColor(0xf5, 0xc2, 0x11));
            painter->drawPolygon(
                QPolygonF{{sign.center().x(), sign.top()}, sign.bottomRight(), sign.bottomLeft()});
        } else {
            painter->setBrush(kind == QStyle::SP_MessageBoxCritical ? QColor(0xc0, 0x1c, 0x28)
                                                                    : QColor(0x1c, 0x71, 0xd8));
            painter->drawEllipse(sign);
        }
        if (kind == QStyle::SP_MessageBoxCritical) {
            painter->setPen(QPen(Qt::white, side / 8, Qt::SolidLine, Qt::RoundCap));
            const double inset = side * 0.32;
            const QRectF cross = sign.adjusted(inset, inset, -inset, -inset);
            painter->drawLine(cross.topLeft(), cross.bottomRight());
            painter->drawLine(cross.topRight(), cross.bottomLeft());
        } else {
            QFont font;
            font.setBold(true);
            font.setPixelSize(std::max(1, int(side * 0.62)));
            painter->setFont(font);
            painter->setPen(kind == QStyle::SP_MessageBoxWarning ? Qt::black : Qt::white);
            const QRectF text =
                kind == QStyle::SP_MessageBoxWarning ? sign.adjusted(0, side * 0.25, 0, 0) : sign;
            const char* glyph = kind == QStyle::SP_MessageBoxWarning    ? "!"
                                : kind == QStyle::SP_MessageBoxQuestion ? "?"
                                                                        : "i";
            painter->drawText(text, Qt::AlignCenter, glyph);
        }
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, pixmap.rect(), mode, state);
        return pixmap;
    }
    QIconEngine* clone() const override { return new MessageIconEngine(kind); }

  private:
    QStyle::StandardPixmap kind;
};

// The names the freedesktop icon themes give the message-box icons.
const char* ThemeName(QStyle::StandardPixmap kind) {
    switch (kind) {
    case QStyle::SP_MessageBoxInformation:
        return "dialog-information";
    case QStyle::SP_MessageBoxWarning:
        return "dialog-warning";
    case QStyle::SP_MessageBoxCritical:
        return "dialog-error";
    case QStyle::SP_MessageBoxQuestion:
        return "dialog-question";
    default:
        return nullptr;
    }
}

} // namespace

ProgramStyle::ProgramStyle(const QString& key) : QProxyStyle(key) {}

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                 const QWidget* widget) const {
    // The desktop's icon theme draws the message-box icons where it has them; the style's own
    // are small pictures that blur when the screen is scaled.
    if (const char* name = ThemeName(standardIcon))
        return QIcon::fromTheme(name, QIcon(new MessageIconEngine(standardIcon)));
    if (standardIcon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    QStyleOption direction;
    direction.direction = widget && widget->isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    const QPointer<QStyle> style = baseStyle();
    return QIcon(new DeferredIconEngine([style, standardIcon, direction] {
        return style ? style->standardIcon(standardIcon, &direction) : QIcon();
    }));
}
