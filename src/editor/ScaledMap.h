#pragma once

#include "editor/MapScale.h"

#include <QImage>
#include <QRect>

// The map's image as it shows at a zoom other than the designed one.
namespace scaledmap {

// The pixels of `shown`, a rectangle of the map surface in shown pixels, of
// `image` (32-bit RGB) at `scale`. Larger, every pixel of the image is a
// square of pixels; smaller, every shown pixel mixes the four pixels of the
// image nearest its centre. Each pixel is worked out on its own, exactly, so
// a part comes out as the same part of the whole: a map painted again in
// pieces looks as one painted whole.
QImage shownPixels(const QImage& image, const MapScale& scale, const QRect& shown);

} // namespace scaledmap
