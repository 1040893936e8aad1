#include "CatalogueText.h"

#include "EntityArt.h"
#include "TileArt.h"

namespace {

void putLine(QByteArray& out, const QString& line)
{
    out.append(line.toLatin1());
    out.append("\r\n");
}

} // namespace

QByteArray catalogueText()
{
    QByteArray out;
    const QVector<TileKind>& tiles = tileKinds();
    putLine(out, QString::number(tiles.size()));
    for (const TileKind& kind : tiles) {
        putLine(out, kind.name);
        putLine(out, kind.rule);
        putLine(out, kind.tooltip);
    }
    putLine(out, QStringLiteral("----- entities -----"));
    const QVector<EntityKind>& entities = entityKinds();
    putLine(out, QString::number(entities.size()));
    for (const EntityKind& kind : entities) {
        putLine(out, kind.name);
        putLine(out, andFileName(kind));
        putLine(out, orFileName(kind));
        putLine(out, kind.rule);
        putLine(out, kind.tip);
    }
    return out;
}
