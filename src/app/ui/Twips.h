#pragma once

#include "layout/Design.h"

#include <QWidget>

#include <cmath>

// Window designs are in twips; widgets are placed in logical pixels.
inline int twipsToPixels(double twips)
{
    return static_cast<int>(std::lround(twips / twipsPerPixel));
}

// Places a widget at a rectangle given in twips. Rounding both edges keeps
// neighbouring controls touching.
inline void placeInTwips(QWidget* widget, const TwipRect& r)
{
    const int x0 = twipsToPixels(r.left);
    const int y0 = twipsToPixels(r.top);
    widget->setGeometry(x0, y0, twipsToPixels(r.left + r.width) - x0, twipsToPixels(r.top + r.height) - y0);
}
