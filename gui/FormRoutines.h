#pragma once

#include <QString>
#include <QWidget>

#include <initializer_list>
#include <utility>

class QAbstractItemView;

namespace FormRoutines {

// Makes the list scrollable far enough to show the whole text.
void SetListExtent(QAbstractItemView& list, const QString& text);

// Layouts are given in twips. A form has 15 twips to a pixel at the design font (9-point DejaVu
// Sans at 96 dots per inch, whose letters the twips tables were drawn around), fewer as its
// font grows and more as it shrinks: across with the font's average letter width, down with its
// height, as a Windows dialog unit follows its font.
class Twips {
  public:
    // The scale of the form the widget lies in, from that form's font.
    explicit Twips(const QWidget* widget);

    int X(double twips) const;
    int Y(double twips) const;
    double FromX(int pixels) const;
    double FromY(int pixels) const;

  private:
    double perPixelX;
    double perPixelY;
};

void Place(QWidget* widget, int left, int top, int width, int height);

// The desktop's fixed-pitch font, where l, I and 1, and O and 0, can be told apart: at the size
// of the widget's font, or smaller where its lines would be taller.
QFont FixedPitchFont(const QWidget* widget);

// A control carries its name as its object name, so tests and tools can find it.
template <class Widget, class... Arguments>
Widget* Make(const char* name, QWidget* parent, Arguments&&... arguments) {
    auto* widget = new Widget(std::forward<Arguments>(arguments)..., parent);
    widget->setObjectName(name);
    return widget;
}

// The text of the list's selected item; empty when none is selected.
QString SelectedItemText(const QAbstractItemView& list);

// Tab moves through the widgets in this order.
void SetFocusOrder(std::initializer_list<QWidget*> widgets);

// Puts a window in the middle of the screen it is on.
void CenterOnScreen(QWidget* window);

} // namespace FormRoutines
