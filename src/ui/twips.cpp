#include "ui/twips.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace tessaro::ui {

double screenDpi()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        return screen->logicalDotsPerInchY();
    return 96.0;
}

int twipsToPixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / TwipsPerInch));
}

QRect twipsRect(int left, int top, int width, int height, double dpi)
{
    // Convert the edges, not the sizes, so neighbouring controls never overlap by rounding.
    const int x = twipsToPixels(left, dpi);
    const int y = twipsToPixels(top, dpi);
    return QRect(x, y, twipsToPixels(left + width, dpi) - x, twipsToPixels(top + height, dpi) - y);
}

QSize twipsSize(int width, int height, double dpi)
{
    return QSize(twipsToPixels(width, dpi), twipsToPixels(height, dpi));
}

} // namespace tessaro::ui
