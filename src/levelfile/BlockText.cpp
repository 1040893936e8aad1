#include "levelfile/BlockText.h"

#include "levelfile/LevelReader.h"
#include "levelfile/LevelWriter.h"

#include <QMimeData>

namespace {

// The screen that holds the block in its text.
constexpr int blockScreen = 1;

} // namespace

QByteArray writeBlock(const Block& block, const Catalogue& catalogue)
{
    if (block.isEmpty())
        return {};
    Level holder;
    levelops::replaceGrid(holder, static_cast<qint16>(block.width), static_cast<qint16>(block.height));
    for (int y = 0; y < block.height; ++y)
        for (int x = 0; x < block.width; ++x)
            holder.levelTiles(blockScreen, x, y) = block.tile(x, y);
    holder.entities.reserve(block.entities.size());
    holder.entityData.reserve(block.entities.size());
    for (size_t i = 0; i < block.entities.size(); ++i) {
        Entity e = block.entities[i];
        e.layer = blockScreen;
        // A block holds no more entities than the level it came from.
        (void)levelops::appendEntity(holder, e, block.data[i]);
    }
    return writeGridAndScreen(holder, catalogue, blockScreen);
}

BlockReadResult readBlock(const QByteArray& text, const Catalogue& catalogue)
{
    BlockReadResult result;
    const LevelReadResult read = readLevel(text, catalogue, Level(), [&](LineNote note, int, int, const LazyMessage&) {
        if (note == LineNote::Unrecognised)
            ++result.unknownLines;
    });
    if (!read.ok)
        return result;
    const Level& level = read.level;
    Block block;
    block.width = level.levelWidth;
    block.height = level.levelHeight;
    block.tiles.reserve(static_cast<size_t>(block.width) * static_cast<size_t>(block.height));
    for (int y = 0; y < block.height; ++y)
        for (int x = 0; x < block.width; ++x)
            block.tiles.push_back(level.levelTiles(blockScreen, x, y));
    for (size_t slot = 0; slot < level.entities.size(); ++slot) {
        const Entity& e = level.entities[slot];
        if (e.layer != blockScreen || !level.levelTiles.contains(e.x, e.y))
            continue;
        block.entities.push_back({0, e.x, e.y, e.kind});
        block.data.push_back(level.entityData[slot]);
    }
    result.block = std::move(block);
    return result;
}

std::unique_ptr<QMimeData> blockMimeData(const Block& block, const Catalogue& catalogue)
{
    const QByteArray text = writeBlock(block, catalogue);
    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromLatin1(blockMimeType), text);
    data->setText(QString::fromLatin1(text));
    return data;
}

BlockReadResult blockFromMimeData(const QMimeData* data, const Catalogue& catalogue)
{
    if (!data)
        return {};
    if (data->hasFormat(QString::fromLatin1(blockMimeType)))
        return readBlock(data->data(QString::fromLatin1(blockMimeType)), catalogue);
    if (!data->hasText())
        return {};
    QByteArray text = data->text().toLatin1();
    if (!text.contains('\r'))
        text.replace('\n', "\r\n");
    return readBlock(text, catalogue);
}
