#pragma once

#include "model/TileGrid.h"

#include <QPoint>
#include <QRect>

#include <optional>
#include <vector>

// What a step of the history changed, so that a window draws again exactly
// that (some cells, or the whole map with its size) and can bring it into
// sight: the layers it lies on, and a data text, which the map does not show.
struct LevelChange
{
    // Cells to draw again, each once; some may lie outside the grid (a player
    // start that a resize left there).
    std::vector<QPoint> cells;
    // The size or the whole grid changed: draw everything and lay out again.
    bool wholeMap = false;
    // The layers whose tiles or entities changed, bit n for layer n. The
    // player start stands on every layer and marks none.
    unsigned layers = 0;
    // A data text changed: the slot of its entity, or -1 for the player start's.
    std::optional<int> dataText;
    // A step on a selection of cells: what was selected before it and after
    // it (empty when nothing was), so that the selection goes back and forth
    // with the block.
    struct Frames
    {
        QRect before;
        QRect after;
    };
    std::optional<Frames> frames;

    // The bit of a layer; none for a screen no view shows, where an entity
    // read from a file may stand.
    static unsigned layerBit(int layer) { return layer >= 0 && layer < TileGrid::layerCount ? 1u << layer : 0u; }
    void addLayer(int layer) { layers |= layerBit(layer); }
    bool hasLayer(int layer) const { return (layers & layerBit(layer)) != 0; }

    // The layer a window showing `shown` should switch to so that the change
    // shows: none when it lies on the shown layer too or on no layer at all,
    // else the lowest it lies on.
    std::optional<int> layerToShow(int shown) const
    {
        if (layers == 0 || hasLayer(shown))
            return std::nullopt;
        for (int layer = 0; layer < TileGrid::layerCount; ++layer)
            if (hasLayer(layer))
                return layer;
        return std::nullopt;
    }
};
