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

// A message-box icon: its name in the freedesktop icon themes, and the round sign drawn where
// a theme has none.
struct MessageSign {
    QStyle::StandardPixmap kind;
    const char* themeName;
    QColor colour;
    QString glyph;
};

const MessageSign* FindMessageSign(QStyle::StandardPixmap kind) {
    static const MessageSign signs[] = {
        {QStyle::SP_MessageBoxInformation, "dialog-information", QColor(0x1c, 0x71, 0xd8), "i"},
        {QStyle::SP_MessageBoxWarning, "dialog-warning", QColor(0xe5, 0xa5, 0x0a), "!"},
        {QStyle::SP_MessageBoxCritical, "dialog-error", QColor(0xc0, 0x1c, 0x28), QChar(0xd7)},
        {QStyle::SP_MessageBoxQuestion, "dialog-question", QColor(0x1c, 0x71, 0xd8), "?"}};
    for (const MessageSign& sign : signs)
        if (sign.kind == kind)
            return &sign;
    return nullptr;
}

// Draws the sign at whatever size it is asked for, so it stays sharp at any scale.
class MessageSignEngine : public QIconEngine {
  public:
    explicit MessageSignEngine(const MessageSign& sign) : sign(sign) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->setPen(Qt::NoPen);
        painter->setBrush(sign.colour);
        painter->drawEllipse(QRectF(rect).adjusted(1, 1, -1, -1));
        QFont font;
        font.setBold(true);
        font.setPixelSize(std::max(1, rect.height() * 2 / 3));
        painter->setFont(font);
        painter->setPen(Qt::white);
        painter->drawText(rect, Qt::AlignCenter, sign.glyph);
        painter->restore();
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, pixmap.rect(), mode, state);
        return pixmap;
    }
    QIconEngine* clone() const override { return new MessageSignEngine(sign); }

  private:
    const MessageSign& sign;
};

} // namespace

ProgramStyle::ProgramStyle(const QString& key) : QProxyStyle(key) {}

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                 const QWidget* widget) const {
    // The desktop's icon theme draws the message-box icons where it has them; the style's own
    // are small pictures that blur when the screen is scaled.
    if (const MessageSign* sign = FindMessageSign(standardIcon))
        return QIcon::fromTheme(sign->themeName, QIcon(new MessageSignEngine(*sign)));
    if (standardIcon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    QStyleOption direction;
    direction.direction = widget && widget->isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    const QPointer<QStyle> style = baseStyle();
    return QIcon(new DeferredIconEngine([style, standardIcon, direction] {
        return style ? style->standardIcon(standardIcon, &direction) : QIcon();
    }));
}
