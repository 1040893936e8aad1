#pragma once

#include <QImage>

// The resize dialog's button sheet: 4 columns (the corner buttons top-left,
// top-right, bottom-left, bottom-right) by 9 rows (the typed size against the
// level's: row = 4 + sign(level width - typed) + 3 * sign(level height - typed)),
// 64 x 64 pixels a cell of which the dialog shows the top-left 60 x 60.
// Magenta is transparent on the buttons.
constexpr int kResizeCell = 64;
constexpr int kResizeShown = 60;
constexpr int kResizeColumns = 4;
constexpr int kResizeRows = 9;

QImage drawResizeButton(int corner, int row);
QImage drawResizeSheet();
