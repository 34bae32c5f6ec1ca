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

} // namespace

ProgramStyle::ProgramStyle(const QString& key) : QProxyStyle(key) {}

QIcon ProgramStyle::standardIcon(StandardPixmap standardIcon, const QStyleOption* option,
                                 const QWidget* widget) const {
    if (standardIcon != SP_ToolBarHorizontalExtensionButton)
        return QProxyStyle::standardIcon(standardIcon, option, widget);
    QStyleOption direction;
    direction.direction = widget && widget->isRightToLeft() ? Qt::RightToLeft : Qt::LeftToRight;
    const QPointer<QStyle> style = baseStyle();
    return QIcon(new DeferredIconEngine([style, standardIcon, direction] {
        return style ? style->standardIcon(standardIcon, &direction) : QIcon();
    }));
}
