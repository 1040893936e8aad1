#include "model/TileGrid.h"

#include <algorithm>

TileGrid::TileGrid(int width, int height)
    : m_width(width)
    , m_height(height)
    , m_cells(static_cast<size_t>(layerCount) * static_cast<size_t>(width) * static_cast<size_t>(height))
{
    const size_t layerSize = static_cast<size_t>(width) * static_cast<size_t>(height);
    // Layer 0 is already all 0; the corner screens start without tiles.
    std::fill(m_cells.begin() + static_cast<std::ptrdiff_t>(layerSize), m_cells.end(), qint16(-1));
}
