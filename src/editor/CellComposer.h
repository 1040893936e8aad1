#pragma once

#include "editor/MapGeometry.h"

#include <QImage>

#include <array>
#include <deque>
#include <unordered_map>
#include <vector>

struct EditorPictures;
struct Level;

// Draws the cells of the map's grid one cell at a time. For each cell it
// works out what shows in the end (a tile hides what lay under it, so that
// is never drawn) and draws that in as few loops as it can, an entity's AND
// and OR in the same loop as the tile under them. Cells that show the same
// pictures in the same places look the same, and a map is made of few such
// looks: each look is drawn once and copied to every cell that shows it.
//
// The pixels are exactly those of drawing every layer over the whole map in
// turn, which holds as long as no picture reaches beyond its own cell;
// `fits` says when that is so. The margins, and things that stand outside
// the grid, are left to the caller.
class CellComposer
{
public:
    // A cell's side in pixels, and so the most a picture may measure.
    static constexpr int side = mapgeometry::cellPitch / mapgeometry::pixelTwips;

    // Every picture is 32-bit RGB and no larger than a cell.
    static bool fits(const EditorPictures& pictures);

    // The pictures and the level must outlive the composer, unchanged.
    CellComposer(const EditorPictures& pictures, const Level& level, int view);

    // Draws the grid's cells over the map's pixel rows from `top` on; row 0
    // of `image`, which is as wide as the map, is the map's row `top`.
    void draw(QImage& image, int top);

private:
    // Pixels from one row of a look to the next.
    static constexpr int lookStride = 32;
    using Look = std::array<QRgb, side * lookStride>;

    // One thing a cell shows, in drawing order: a picture put at the cell's
    // corner, or the hatch.
    struct Step
    {
        enum Kind : quint8 { Copy, And, Or, Hatch };

        Kind kind = Copy;
        int width = 0;
        int height = 0;
        const QRgb* bits = nullptr;
        qsizetype stride = 0; // pixels from one row of the picture to the next
        // Columns left of this one are hidden by a later tile in the rows
        // being planned.
        int from = 0;
    };

    // One loop over a run of a look's rows and columns.
    struct Loop
    {
        enum Kind : quint8 { Copy, And, Or, AndOr, CopyAndOr, Hatch };

        Kind kind = Copy;
        int firstRow = 0;
        int rows = 0;
        int from = 0;
        int count = 0;
        std::array<const QRgb*, 3> sources{}; // the first pixel each picture gives
        std::array<qsizetype, 3> strides{};
    };

    // The slots of the entities on each cell of one layer, in slot order.
    struct CellIndex
    {
        std::vector<int> first; // per cell, and one past the last
        std::vector<int> entries; // slots, cell by cell
    };
    CellIndex indexLayer(int layer) const;

    void gatherSteps(int x, int y);
    void addEntities(const CellIndex& index, int cell);
    void dropHiddenSteps();
    const QRgb* lookOfSteps(std::vector<Look>& unkept, size_t x);
    void plan();
    void addLoops(int firstRow, int rows);
    void drawLoops(QRgb* look) const;

    const Level& m_level;
    int m_view;
    bool m_cornerView;
    // A step for each picture, by kind, and the hatch, made once.
    std::vector<Step> m_tileSteps;
    std::vector<Step> m_andSteps;
    std::vector<Step> m_orSteps;
    std::vector<Step> m_playerStep; // none when there is no player picture
    Step m_hatchStep{Step::Hatch, side, side};
    CellIndex m_mainEntities;
    CellIndex m_viewEntities;
    // For each pixel row of a cell, a bit for every hatched column.
    std::array<quint32, side> m_hatch{};
    // What a cell shows where no picture covers it: the background, and the
    // background under the hatch.
    Look m_ground{};
    Look m_hatchedGround{};

    // The cell being drawn: its steps, and when its look is new, the steps
    // again as they are planned and the loops that draw them.
    std::vector<const Step*> m_cellSteps;
    std::vector<Step> m_steps;
    std::vector<Step> m_shown;
    std::vector<int> m_cuts;
    std::vector<Loop> m_plan;

    // The looks drawn so far: their steps one after another, where each
    // look's steps begin (and where the last ends), their pixels, and the
    // looks by a hash of their steps. Beyond `maxLooks` a look is drawn for
    // its cell alone.
    static constexpr size_t maxLooks = 256;
    std::vector<const Step*> m_lookSteps;
    std::vector<size_t> m_lookStarts{0};
    std::deque<Look> m_looks;
    std::unordered_multimap<size_t, size_t> m_lookByHash;
};
