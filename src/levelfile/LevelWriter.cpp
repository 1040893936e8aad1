#include "levelfile/LevelWriter.h"

#include "model/TextLines.h"

#include <vector>

namespace {

const char* const crlf = "\r\n";

// The kind names as bytes, looked up once per write rather than once per cell.
std::vector<QByteArray> tileNames(const Catalogue& catalogue)
{
    std::vector<QByteArray> names;
    for (int kind = 0; kind < catalogue.tileCount(); ++kind)
        names.push_back(toFileBytes(catalogue.tileName(kind)));
    return names;
}

std::vector<QByteArray> entityNames(const Catalogue& catalogue)
{
    std::vector<QByteArray> names;
    for (int kind = 0; kind < catalogue.entityCount(); ++kind)
        names.push_back(toFileBytes(catalogue.entityName(kind)));
    return names;
}

// A kind the catalogue does not hold has no name to write.
const QByteArray& nameOf(const std::vector<QByteArray>& names, int kind)
{
    static const QByteArray none;
    return kind >= 0 && static_cast<size_t>(kind) < names.size() ? names[static_cast<size_t>(kind)] : none;
}

void appendCell(QByteArray& out, int x, int y, const QByteArray& name)
{
    out += QByteArray::number(x);
    out += '\t';
    out += QByteArray::number(y);
    out += '\t';
    out += name;
}

void appendEntities(QByteArray& out, const Level& level, int layer, const std::vector<QByteArray>& names)
{
    for (int slot = 0; slot < level.entityCount; ++slot) {
        const Entity& entity = level.entities[static_cast<size_t>(slot)];
        if (entity.layer != layer)
            continue;
        appendCell(out, entity.x, entity.y, nameOf(names, entity.kind));
        const QString& data = level.entityData[static_cast<size_t>(slot)];
        if (!data.isEmpty()) {
            out += '\t';
            out += toFileBytes(fncCleanLine(data));
        }
        out += crlf;
    }
}

} // namespace

QString fncCleanLine(const QString& text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        if (c == u',')
            clean += u'\t';
        else if (c != u' ')
            clean += c;
    }
    return clean;
}

QByteArray writeLevel(const Level& level, const Catalogue& catalogue)
{
    const std::vector<QByteArray> tiles = tileNames(catalogue);
    const std::vector<QByteArray> entities = entityNames(catalogue);
    QByteArray out;

    for (int y = 0; y < level.levelHeight; ++y) {
        for (int x = 0; x < level.levelWidth; ++x) {
            if (x > 0)
                out += '\t';
            out += nameOf(tiles, level.levelTiles(0, x, y));
        }
        out += crlf;
    }
    out += crlf;

    out += "Screen\tall";
    out += crlf;
    appendCell(out, level.playerX, level.playerY, "Player");
    out += '\t';
    out += toFileBytes(level.playerData);
    out += crlf;
    appendEntities(out, level, 0, entities);

    for (int screen = 1; screen < TileGrid::layerCount; ++screen) {
        out += crlf;
        out += "Screen\t";
        out += QByteArray::number(screen);
        out += crlf;
        for (int y = 0; y < level.levelHeight; ++y) {
            for (int x = 0; x < level.levelWidth; ++x) {
                const qint16 kind = level.levelTiles(screen, x, y);
                if (kind == -1)
                    continue;
                appendCell(out, x, y, nameOf(tiles, kind));
                out += crlf;
            }
        }
        appendEntities(out, level, screen, entities);
    }
    return out;
}
