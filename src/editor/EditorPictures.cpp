#include "editor/EditorPictures.h"

#include "model/Catalogue.h"
#include "model/Excerpt.h"
#include "model/Numbers.h"
#include "model/PictureFile.h"
#include "model/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>

namespace {

// A picture laid onto an opaque background: the colour that leaves the map
// unchanged under the picture's own bitwise combination shows wherever the
// file is transparent.
QImage flatten(const QImage& picture, Qt::GlobalColor background)
{
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(background);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    return flat;
}

Result readPicture(const QString& folder, const QString& name, Qt::GlobalColor background, QImage& picture)
{
    const QString path = QDir(folder).filePath(name);
    if (name.isEmpty() || (!QFileInfo::exists(path) && !isSymLinkLoop(path)))
        return Result::failure(QStringLiteral("The picture file \"%1\" is missing.").arg(excerpt(name)));
    QImage read;
    if (const Result decoded = readPictureFile(path, read); !decoded)
        return Result::failure(QStringLiteral("The picture file \"%1\" %2.").arg(excerpt(name), decoded.message()));
    picture = flatten(read, background);
    return Result::success();
}

} // namespace

namespace editorpictures {

int tilesPerRow(int sheetWidth)
{
    return numbers::roundToInt16(sheetWidth / double(EditorPictures::sheetBlock)).value_or(0);
}

QImage cutTile(const QImage& sheet, int kind, int perRow)
{
    const int block = EditorPictures::sheetBlock;
    QImage tile(EditorPictures::tileSize, EditorPictures::tileSize, QImage::Format_RGB32);
    tile.fill(Qt::white);
    QPainter painter(&tile);
    painter.drawImage(-(kind % perRow) * block, -(kind / perRow) * block, sheet);
    return tile;
}

} // namespace editorpictures

Result loadEditorPictures(const QString& folder, const Catalogue& catalogue, EditorPictures& pictures)
{
    EditorPictures loaded;
    if (Result read = readPicture(folder, QStringLiteral("player.bmp"), Qt::white, loaded.player); !read)
        return read;

    // The sheet lies on a white surface, so transparent parts of it cut as white.
    QImage sheet;
    if (Result read = readPicture(folder, QStringLiteral("tiles.gif"), Qt::white, sheet); !read)
        return read;
    const int perRow = editorpictures::tilesPerRow(sheet.width());
    if (perRow < 1)
        return Result::failure(
            QStringLiteral("The tile sheet \"tiles.gif\" is %1 pixels wide; it must be wider than 16 pixels.").arg(sheet.width()));
    for (int kind = 0; kind < catalogue.tileCount(); ++kind)
        loaded.tiles.push_back(editorpictures::cutTile(sheet, kind, perRow));

    for (int kind = 0; kind < catalogue.entityCount(); ++kind) {
        const EntityKind& entity = catalogue.entity(kind);
        QImage andPicture;
        QImage orPicture;
        if (Result read = readPicture(folder, entity.andPicture, Qt::white, andPicture); !read)
            return read;
        if (Result read = readPicture(folder, entity.orPicture, Qt::black, orPicture); !read)
            return read;
        loaded.entityAnd.push_back(andPicture);
        loaded.entityOr.push_back(orPicture);
    }

    pictures = std::move(loaded);
    return Result::success();
}
