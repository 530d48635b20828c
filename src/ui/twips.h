// The one place where twips (1/1440 inch) become pixels of the screen.
#pragma once

#include <QRect>

namespace tessaro::ui {

inline constexpr double TwipsPerInch = 1440.0;

// Logical DPI of the primary screen (96 when there is none).
double screenDpi();
int twipsToPixels(int twips, double dpi = screenDpi());
QRect twipsRect(int left, int top, int width, int height, double dpi = screenDpi());
QSize twipsSize(int width, int height, double dpi = screenDpi());

} // namespace tessaro::ui
