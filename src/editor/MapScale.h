#pragma once

#include <QPointF>
#include <QRect>

#include <array>

// The map's zoom, in steps. The map's image is always drawn with the
// designed 31-pixel cells; any other step shows that image scaled, so the
// designed step shows it exactly as drawn. Every step puts whole pixels
// between one cell and the next, so all cells of a step look alike.
class MapScale
{
public:
    // Pixels from one cell to the next at each step. At 8 a level of 70 x 70
    // cells fits whole in the map area of the window at its designed size;
    // above 31 only whole multiples, so that pictures grow without blurring.
    static constexpr std::array<int, 8> cellSizes{8, 12, 16, 23, 31, 62, 93, 124};
    static constexpr int designedStep = 4;
    static constexpr int designedCellSize = 31;

    int step() const { return m_step; }
    int cellSize() const { return cellSizes[static_cast<size_t>(m_step)]; }
    bool isDesigned() const { return m_step == designedStep; }
    // Shown pixels per pixel of the image.
    double factor() const { return double(cellSize()) / designedCellSize; }
    // Above the designed size, the whole number of shown pixels each pixel of the image takes.
    int enlargement() const { return cellSize() > designedCellSize ? cellSize() / designedCellSize : 1; }

    // Each false, with the scale unchanged, when there is no step that way.
    bool zoomIn();
    bool zoomOut();
    bool reset();
    bool setStep(int step);

    // The shown length of an extent of the image, in whole pixels.
    int shownLength(int imagePixels) const;
    // The shown pixels of a cell given by its image pixels: whole pixels,
    // neighbouring cells touching without overlap.
    QRect shownCell(const QRect& imagePixels) const;
    // Every shown pixel whose colour depends on the given image pixels.
    QRect shownArea(const QRect& imagePixels) const;
    // The position on the image under a shown position, both in pixels.
    QPointF imagePoint(QPointF shown) const { return shown / factor(); }

    friend bool operator==(const MapScale&, const MapScale&) = default;

private:
    int m_step = designedStep;
};

namespace mapscale {

// The value for a scroll bar that counts in the map's designed twips, so
// that the place under `pointer` (twips from the viewport's edge) stays under
// it when the map goes from `from` to `to` shown pixels per image pixel.
// Unclamped: the bar keeps it within its range.
double valueKeeping(double value, double pointer, double from, double to);

} // namespace mapscale
