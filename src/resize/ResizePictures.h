#pragma once

#include <QImage>
#include <QString>

#include <vector>

// The pictures of the resize dialog's corner buttons, cut from the sheet
// "resize.bmp": 4 columns (one per corner button) by 9 rows (one per way the
// typed size compares with the level's) of 64 by 64 pixel blocks.
namespace resizepictures {

inline constexpr int columns = 4;
inline constexpr int rows = 9;
inline constexpr int blockSize = 64;
// Each block keeps its top-left corner; the rest of it is the block's frame.
inline constexpr int pictureSize = 60;

QString sheetFileName();

// The 36 pictures, picture 4 * row + column from the block at that column
// and row. Whatever lies beyond the edge of a smaller sheet is white.
std::vector<QImage> cutSheet(const QImage& sheet);

// The picture with every magenta (255, 0, 255) pixel made transparent, as the
// corner buttons show it.
QImage withMagentaTransparent(const QImage& picture);

} // namespace resizepictures
