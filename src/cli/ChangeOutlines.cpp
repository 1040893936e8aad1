#include "cli/ChangeOutlines.h"

#include "editor/MapGeometry.h"

#include <QPainter>

#include <map>
#include <utility>

namespace {

constexpr QRgb shownColour = 0xFFE00000;
constexpr QRgb otherScreenColour = 0xFF0050E0;
constexpr int frameWidth = 2;

} // namespace

std::vector<OutlinedCell> changedCells(const leveldiff::LevelDiff& diff, const Level& after, int view)
{
    // Row by row; a cell whose change shows in the view is drawn in that colour.
    std::map<std::pair<int, int>, bool> cells;
    auto add = [&](int x, int y, bool shown) {
        if (after.levelTiles.contains(x, y))
            cells[{y, x}] |= shown;
    };
    for (const leveldiff::Change& change : diff.changes)
        add(change.x, change.y, change.layer == 0 || change.layer == view);
    if (diff.playerMoved()) {
        add(diff.oldPlayer.x, diff.oldPlayer.y, true);
        add(diff.newPlayer.x, diff.newPlayer.y, true);
    } else if (diff.playerDataChanged()) {
        add(diff.newPlayer.x, diff.newPlayer.y, true);
    }
    std::vector<OutlinedCell> outlined;
    for (const auto& [cell, shown] : cells)
        outlined.push_back({cell.second, cell.first, shown});
    return outlined;
}

void drawOutlines(QImage& rows, int top, const std::vector<OutlinedCell>& cells)
{
    QPainter painter(&rows);
    painter.translate(0, -top);
    const QRect band(0, top, rows.width(), rows.height());
    for (const OutlinedCell& cell : cells) {
        // The tile starts at the cell's corner; the gap of the cell before lies left of it and above.
        const QRect frame = mapgeometry::cellPixels(cell.x, cell.y).adjusted(-frameWidth, -frameWidth, -1, -1);
        if (!frame.intersects(band))
            continue;
        const QColor colour = QColor::fromRgb(cell.shown ? shownColour : otherScreenColour);
        painter.fillRect(QRect(frame.left(), frame.top(), frame.width(), frameWidth), colour);
        painter.fillRect(QRect(frame.left(), frame.bottom() - frameWidth + 1, frame.width(), frameWidth), colour);
        painter.fillRect(QRect(frame.left(), frame.top(), frameWidth, frame.height()), colour);
        painter.fillRect(QRect(frame.right() - frameWidth + 1, frame.top(), frameWidth, frame.height()), colour);
    }
}
