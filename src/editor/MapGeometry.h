#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <algorithm>
#include <cmath>

// Where the cells of the map lie, in twips on the map surface.
namespace mapgeometry {

inline constexpr int cellPitch = 465; // 31 pixels
inline constexpr int margin = 120; // 8 pixels before cell (0, 0)
inline constexpr int pixelTwips = 15; // twips in one pixel

// The map surface's inner size for a grid of that many cells.
inline constexpr int innerTwips(int cells)
{
    return cellPitch * cells + 2 * margin;
}

inline QSize innerPixels(int columns, int rows)
{
    return QSize(innerTwips(columns) / pixelTwips, innerTwips(rows) / pixelTwips);
}

// The top-left corner of a cell, in twips and in pixels.
inline constexpr int cellTwips(int index)
{
    return margin + cellPitch * index;
}

inline QPoint cellCornerPixels(int x, int y)
{
    return QPoint(cellTwips(x) / pixelTwips, cellTwips(y) / pixelTwips);
}

inline QRect cellPixels(int x, int y)
{
    return QRect(cellCornerPixels(x, y), QSize(cellPitch / pixelTwips, cellPitch / pixelTwips));
}

// The column (or row) under a position in twips; -1 and below left of (above) the margin.
inline int cellAt(double twips)
{
    // Far-off positions are clamped so the result always fits the grid's integers.
    return static_cast<int>(std::clamp(std::floor((twips - margin) / cellPitch), -32768.0, 32767.0));
}

} // namespace mapgeometry
