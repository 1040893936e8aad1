#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

// The part of the map that shows in its viewport: what lies in it, and how
// far to scroll to bring cells into it. Given in twips on the map surface,
// as its scroll bars count.
namespace mapview {

// The top-left cell that shows whole in the visible part, or the nearest
// cell to it when none does; where a paste lands when the pointer is not
// over the map.
QPoint firstVisibleCell(QRect visible, QSize grid);

// Where the visible part should start (its top-left corner) so that `cells`
// come into sight: where it starts now when one of them (within the grid)
// shows whole already. Else, along each way their bounding rectangle does
// not show whole, where the rectangle stands in the middle of it as far as
// the map allows, or starts with it when larger.
QPoint scrollToShow(QRect visible, const std::vector<QPoint>& cells, QSize grid);

} // namespace mapview
