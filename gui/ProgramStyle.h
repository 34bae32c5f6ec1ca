#pragma once

#include <QProxyStyle>

// The desktop's style, with one difference: the icon of the menu bar's overflow button is read
// only when the button is first drawn. Qt's common style reads it from an image file the
// moment a menu bar is made, and reading an image file of unnamed format loads every image
// format plugin (and Qt's SVG library with them): a megabyte of memory, and milliseconds at
// start-up, for a button that a window of fixed size hardly ever shows. The message-box icons
// come from the desktop's icon theme, or are drawn at the size asked for where it has none.
class ProgramStyle : public QProxyStyle {
  public:
    explicit ProgramStyle(const QString& key);

    QIcon standardIcon(StandardPixmap standardIcon, const QStyleOption* option = nullptr,
                       const QWidget* widget = nullptr) const override;
};
