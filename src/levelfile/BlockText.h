#pragma once

#include "model/Block.h"
#include "model/Catalogue.h"

#include <QByteArray>

#include <memory>
#include <optional>

class QMimeData;

// A block of cells as the clipboard carries it: text in the level file's own
// lines, read by the level file's own reader. The text is a level file the
// size of the block whose corner screen 1 holds the block. Its main grid
// gives only the size (every cell the first tile kind); screen 1 has a tile
// line for each cell that has a tile (a cell without one has none, which is
// how a corner screen's "no tile" travels) and an entity line for each
// entity, in order, with its cleaned data text. Kinds go by name, so a block
// goes to a game whose catalogue knows the same names.
QByteArray writeBlock(const Block& block, const Catalogue& catalogue);

struct BlockReadResult
{
    // None when the text is no block.
    std::optional<Block> block;
    // Lines of a kind the catalogue does not know: left out.
    int unknownLines = 0;
};
BlockReadResult readBlock(const QByteArray& text, const Catalogue& catalogue);

// The clipboard's own type for a block: the same text, marked as a block.
inline constexpr char blockMimeType[] = "application/x-tilewright-block";

// What the clipboard holds for a block: its text under the block's own type,
// and as plain text for any other program.
std::unique_ptr<QMimeData> blockMimeData(const Block& block, const Catalogue& catalogue);
// The block the clipboard holds: under the block's own type, else as plain
// text that reads as a block. Plain text whose lines end in LF alone, as a
// text editor may hand them over, is taken as if they ended in CR LF.
BlockReadResult blockFromMimeData(const QMimeData* data, const Catalogue& catalogue);
