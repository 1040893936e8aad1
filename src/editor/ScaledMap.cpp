#include "editor/ScaledMap.h"

#include <algorithm>
#include <vector>

namespace scaledmap {

namespace {

// Where the centre of shown pixel `i` falls on the image, at `cell` shown
// pixels to the designed cell: a pixel of the image and, in 256ths, how far
// towards the next one. (i + 1/2) * 31 / cell - 1/2 is worked out in whole numbers.
struct Tap
{
    int from;
    int weight;
};

Tap tapAt(int i, int cell, int last)
{
    const int numerator = (2 * i + 1) * MapScale::designedCellSize - cell;
    const int denominator = 2 * cell;
    const int whole = numerator >= 0 ? numerator / denominator : -((-numerator + denominator - 1) / denominator);
    const int rest = numerator - whole * denominator;
    const int weight = (rest * 256 + cell) / denominator;
    if (whole < 0)
        return {0, 0};
    if (whole >= last)
        return {last, 0};
    return {whole, weight};
}

// a and b weighed (256 - weight) to weight, red and blue side by side in one
// multiplication and green in another; every sum fits in 32 bits.
QRgb mix(QRgb a, QRgb b, int weight)
{
    const quint32 w = static_cast<quint32>(weight);
    const quint32 redBlue = (((a & 0xff00ffu) * (256 - w) + (b & 0xff00ffu) * w) >> 8) & 0xff00ffu;
    const quint32 green = (((a & 0xff00u) * (256 - w) + (b & 0xff00u) * w) >> 8) & 0xff00u;
    return 0xff000000u | redBlue | green;
}

} // namespace

QImage shownPixels(const QImage& image, const MapScale& scale, const QRect& shown)
{
    if (shown.isEmpty() || image.isNull())
        return {};
    QImage pixels(shown.size(), QImage::Format_RGB32);
    const int lastX = image.width() - 1;
    const int lastY = image.height() - 1;

    if (const int k = scale.enlargement(); k > 1) {
        for (int y = 0; y < shown.height(); ++y) {
            const auto* from = reinterpret_cast<const QRgb*>(image.constScanLine(std::min((shown.top() + y) / k, lastY)));
            auto* to = reinterpret_cast<QRgb*>(pixels.scanLine(y));
            for (int x = 0; x < shown.width(); ++x)
                to[x] = from[std::min((shown.left() + x) / k, lastX)];
        }
        return pixels;
    }

    const int cell = scale.cellSize();
    std::vector<Tap> across(static_cast<size_t>(shown.width()));
    for (int x = 0; x < shown.width(); ++x)
        across[static_cast<size_t>(x)] = tapAt(shown.left() + x, cell, lastX);
    for (int y = 0; y < shown.height(); ++y) {
        const Tap down = tapAt(shown.top() + y, cell, lastY);
        const auto* upper = reinterpret_cast<const QRgb*>(image.constScanLine(down.from));
        const auto* lower = reinterpret_cast<const QRgb*>(image.constScanLine(std::min(down.from + 1, lastY)));
        auto* to = reinterpret_cast<QRgb*>(pixels.scanLine(y));
        for (int x = 0; x < shown.width(); ++x) {
            const Tap tap = across[static_cast<size_t>(x)];
            const int next = std::min(tap.from + 1, lastX);
            to[x] = mix(mix(upper[tap.from], upper[next], tap.weight), mix(lower[tap.from], lower[next], tap.weight), down.weight);
        }
    }
    return pixels;
}

} // namespace scaledmap
