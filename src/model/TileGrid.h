#pragma once

#include <QtGlobal>

#include <vector>

// Five layers of tile cells: layer 0 the main level, layers 1 to 4 the corner
// screens. Indexed as levelTiles(layer, x, y).
class TileGrid
{
public:
    static constexpr int layerCount = 5;
    // What a cell holds when nothing was put there: tile kind 0 on the main
    // level, no tile of its own (-1) on a corner screen.
    static constexpr qint16 emptyValue(int layer) { return layer == 0 ? 0 : -1; }

    TileGrid() = default;
    TileGrid(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

    qint16 operator()(int layer, int x, int y) const { return m_cells[index(layer, x, y)]; }
    qint16& operator()(int layer, int x, int y) { return m_cells[index(layer, x, y)]; }

    friend bool operator==(const TileGrid&, const TileGrid&) = default;

private:
    size_t index(int layer, int x, int y) const
    {
        Q_ASSERT(layer >= 0 && layer < layerCount && contains(x, y));
        return (static_cast<size_t>(layer) * static_cast<size_t>(m_height) + static_cast<size_t>(y)) * static_cast<size_t>(m_width)
            + static_cast<size_t>(x);
    }

    int m_width = 0;
    int m_height = 0;
    std::vector<qint16> m_cells;
};
