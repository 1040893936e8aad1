#include "editor/CellDescription.h"

#include "model/Catalogue.h"
#include "model/Level.h"

#include <QStringList>

namespace celldescription {

namespace {

QString tileName(const Catalogue& catalogue, int kind)
{
    return catalogue.hasTile(kind) ? catalogue.tileName(kind) : QStringLiteral("tile kind %1").arg(kind);
}

// ", with A, B" for the entities of `layer` on the cell, in the order they are drawn.
QString entitiesOn(const Level& level, const Catalogue& catalogue, int layer, QPoint cell)
{
    QStringList names;
    for (const Entity& entity : level.entities)
        if (entity.layer == layer && entity.x == cell.x() && entity.y == cell.y())
            names.append(
                catalogue.hasEntity(entity.kind) ? catalogue.entityName(entity.kind) : QStringLiteral("entity kind %1").arg(entity.kind));
    return names.isEmpty() ? QString() : QStringLiteral(", with ") + names.join(QStringLiteral(", "));
}

} // namespace

QString layerName(int view)
{
    static const char* const names[] = {"Main Level", "Top Left", "Top Right", "Bottom Left", "Bottom Right"};
    return view >= 0 && view <= 4 ? QLatin1String(names[view]) : QStringLiteral("layer %1").arg(view);
}

QString describe(const Level& level, const Catalogue& catalogue, int view, QPoint cell)
{
    QString text = QStringLiteral("%1, column %2, row %3: ").arg(layerName(view)).arg(cell.x()).arg(cell.y());
    if (!level.levelTiles.contains(cell.x(), cell.y()))
        return text + QStringLiteral("outside the level");
    const qint16 own = level.levelTiles(view, cell.x(), cell.y());
    if (own >= 0) {
        // A corner screen's own tile covers what the main level has there.
        text += tileName(catalogue, own) + entitiesOn(level, catalogue, view, cell);
    } else {
        text += QStringLiteral("no tile of its own; the main level shows through: ")
            + tileName(catalogue, level.levelTiles(0, cell.x(), cell.y())) + entitiesOn(level, catalogue, 0, cell);
        if (const QString mine = entitiesOn(level, catalogue, view, cell); !mine.isEmpty())
            text += QStringLiteral("; on this screen") + mine;
    }
    if (level.playerX == cell.x() && level.playerY == cell.y())
        text += QStringLiteral(", and the player start");
    return text;
}

} // namespace celldescription
