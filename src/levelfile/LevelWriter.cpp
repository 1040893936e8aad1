#include "levelfile/LevelWriter.h"

#include "model/TextLines.h"

#include <algorithm>
#include <iterator>
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

// The file's bytes as they are written. Appending to a QByteArray a number
// or a character at a time cost more than the bytes themselves; here each
// piece is written through a cursor into room made for it in advance.
class FileBytes
{
public:
    // Room made once for `most` bytes: growing by doubling would hold up to
    // twice the file at the end, and a level with a data text of 60 MB
    // would then take four times its size while it is written.
    explicit FileBytes(qsizetype most) { m_bytes.resize(most); }

    // Room for `count` more bytes: where they go. Then wrote() says where they ended.
    char* room(qsizetype count)
    {
        if (m_bytes.size() - m_used < count)
            m_bytes.resize(std::max(2 * m_bytes.size(), m_used + count));
        return m_bytes.data() + m_used;
    }
    void wrote(const char* end) { m_used = end - m_bytes.constData(); }

    void append(QByteArrayView bytes)
    {
        char* out = room(bytes.size());
        wrote(std::copy(bytes.begin(), bytes.end(), out));
    }

    QByteArray take()
    {
        m_bytes.truncate(m_used);
        return std::move(m_bytes);
    }

private:
    QByteArray m_bytes;
    qsizetype m_used = 0;
};

// A number in its shortest decimal form; no more than six characters.
char* putNumber(char* out, int value)
{
    char digits[12];
    char* start = std::end(digits);
    unsigned magnitude = value < 0 ? 0u - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        *--start = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (value < 0)
        *--start = '-';
    return std::copy(start, std::end(digits), out);
}

void appendCell(FileBytes& out, int x, int y, const QByteArray& name)
{
    char* at = out.room(2 * 6 + 2 + name.size());
    at = putNumber(at, x);
    *at++ = '\t';
    at = putNumber(at, y);
    *at++ = '\t';
    out.wrote(std::copy(name.begin(), name.end(), at));
}

// A data text cleaned straight into the file's bytes: a level has up to
// 32767 of them, each cleaned on its way into the file.
void appendCleanLine(FileBytes& out, const QString& text)
{
    char* at = out.room(text.size());
    fncCleanLine(text, [&at](QChar c) { *at++ = c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?'; }); // as QString::toLatin1
    out.wrote(at);
}

void appendEntities(FileBytes& out, const Level& level, int layer, const std::vector<QByteArray>& names)
{
    for (int slot = 0; slot < level.entityCount; ++slot) {
        const Entity& entity = level.entities[static_cast<size_t>(slot)];
        if (entity.layer != layer)
            continue;
        appendCell(out, entity.x, entity.y, nameOf(names, entity.kind));
        const QString& data = level.entityData[static_cast<size_t>(slot)];
        if (!data.isEmpty()) {
            out.append("\t");
            appendCleanLine(out, data);
        }
        out.append(crlf);
    }
}

// Each character as one byte, as QString::toLatin1 gives it, without a copy
// of the text in between.
void appendLatin1(FileBytes& out, const QString& text)
{
    char* at = out.room(text.size());
    for (const QChar c : text)
        *at++ = c.unicode() <= 0xFF ? static_cast<char>(c.unicode()) : '?';
    out.wrote(at);
}

qsizetype longest(const std::vector<QByteArray>& names)
{
    qsizetype most = 0;
    for (const QByteArray& name : names)
        most = std::max(most, name.size());
    return most;
}

// The most bytes the file can take: every number at its longest.
qsizetype mostBytes(const Level& level, qsizetype tileName, qsizetype entityName)
{
    const qsizetype cellLine = 6 + 1 + 6 + 1 + 2; // x, TAB, y, TAB, ..., CR LF
    qsizetype most = qsizetype(level.levelHeight) * (level.levelWidth * (tileName + 1) + 2) + 2;
    most += 12 + cellLine + 7 + level.playerData.size() + 4 * 12;
    for (int screen = 1; screen < TileGrid::layerCount; ++screen)
        for (int y = 0; y < level.levelHeight; ++y)
            for (int x = 0; x < level.levelWidth; ++x)
                if (level.levelTiles(screen, x, y) != -1)
                    most += cellLine + tileName;
    for (int slot = 0; slot < level.entityCount; ++slot)
        most += cellLine + entityName + 1 + level.entityData[static_cast<size_t>(slot)].size();
    return most;
}

void appendGrid(FileBytes& out, const Level& level, const std::vector<QByteArray>& tiles)
{
    for (int y = 0; y < level.levelHeight; ++y) {
        for (int x = 0; x < level.levelWidth; ++x) {
            if (x > 0)
                out.append("\t");
            out.append(nameOf(tiles, level.levelTiles(0, x, y)));
        }
        out.append(crlf);
    }
    out.append(crlf);
}

// A corner screen: its header, a tile line for each cell that has a tile of
// its own, then its entities.
void appendScreen(
    FileBytes& out, const Level& level, int screen, const std::vector<QByteArray>& tiles, const std::vector<QByteArray>& entities)
{
    out.append("Screen\t");
    out.append(QByteArray::number(screen));
    out.append(crlf);
    for (int y = 0; y < level.levelHeight; ++y) {
        for (int x = 0; x < level.levelWidth; ++x) {
            const qint16 kind = level.levelTiles(screen, x, y);
            if (kind == -1)
                continue;
            appendCell(out, x, y, nameOf(tiles, kind));
            out.append(crlf);
        }
    }
    appendEntities(out, level, screen, entities);
}

} // namespace

QByteArray writeLevel(const Level& level, const Catalogue& catalogue)
{
    const std::vector<QByteArray> tiles = tileNames(catalogue);
    const std::vector<QByteArray> entities = entityNames(catalogue);
    FileBytes out(mostBytes(level, longest(tiles), longest(entities)));

    appendGrid(out, level, tiles);
    out.append("Screen\tall");
    out.append(crlf);
    appendCell(out, level.playerX, level.playerY, "Player");
    out.append("\t");
    appendLatin1(out, level.playerData);
    out.append(crlf);
    appendEntities(out, level, 0, entities);

    for (int screen = 1; screen < TileGrid::layerCount; ++screen) {
        out.append(crlf);
        appendScreen(out, level, screen, tiles, entities);
    }
    return out.take();
}

QByteArray writeGridAndScreen(const Level& level, const Catalogue& catalogue, int screen)
{
    const std::vector<QByteArray> tiles = tileNames(catalogue);
    const std::vector<QByteArray> entities = entityNames(catalogue);
    FileBytes out(mostBytes(level, longest(tiles), longest(entities)));
    appendGrid(out, level, tiles);
    appendScreen(out, level, screen, tiles, entities);
    return out.take();
}
