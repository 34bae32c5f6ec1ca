#pragma once

#include <QFont>
#include <QWidget>

// Where the forms' controls go and how large they are: sizes in twips that follow the form's
// font, the fixed-pitch font of passwords, and centring on the screen.
namespace FontLayout {

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

// Puts a window in the middle of the screen it is on.
void CenterOnScreen(QWidget* window);

} // namespace FontLayout
