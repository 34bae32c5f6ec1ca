#pragma once

#include <QString>

class QWidget;

namespace FormRoutines {

// Switches the main window between its logged-in (true) and logged-out looks.
void EnableControls(bool enabled);

// Makes the table list scrollable far enough to show the whole text.
void SetListExtent(const QString& text);

// Layouts are given in twips; the screen has 15 twips to a pixel.
constexpr int TwipsPerPixel = 15;
int TwipsToPixels(double twips);
double PixelsToTwips(int pixels);
void Place(QWidget* widget, int left, int top, int width, int height);

// Puts a window in the middle of the screen it is on.
void CenterOnScreen(QWidget* window);

} // namespace FormRoutines
