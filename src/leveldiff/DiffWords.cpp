#include "leveldiff/DiffWords.h"

#include "model/Excerpt.h"

#include <algorithm>
#include <array>

namespace leveldiff {

namespace {

QString tileName(int kind, const Catalogue& catalogue)
{
    if (kind == cutOff)
        return QStringLiteral("cut off");
    if (kind == -1)
        return QStringLiteral("none");
    if (kind >= 0 && kind < catalogue.tileCount())
        return catalogue.tileName(kind);
    return QStringLiteral("kind %1").arg(kind);
}

QString entityName(int kind, int order, const Catalogue& catalogue)
{
    QString name = kind >= 0 && kind < catalogue.entityCount() ? catalogue.entityName(kind) : QStringLiteral("kind %1").arg(kind);
    // The second box in a cell is "box #2".
    if (order > 0)
        name += QStringLiteral(" #%1").arg(order + 1);
    return name;
}

QString quoted(const QString& text)
{
    return u'"' + excerpt(text) + u'"';
}

QString at(int x, int y)
{
    return QStringLiteral("%1, %2").arg(x).arg(y);
}

QString sizeText(int width, int height)
{
    return QStringLiteral("%1 x %2").arg(width).arg(height);
}

QString player(const PlayerStart& start)
{
    return at(start.x, start.y) + u' ' + quoted(start.data);
}

QString layerHeading(int layer)
{
    if (layer >= 1 && layer < TileGrid::layerCount)
        return QStringLiteral("%1 (screen %2):").arg(layerName(layer)).arg(layer);
    return layerName(layer) + u':';
}

QString tileChange(const Change& change, const Catalogue& catalogue)
{
    if (change.oldValue == -1)
        return QStringLiteral("tile %1 added").arg(tileName(change.newValue, catalogue));
    if (change.newValue == -1)
        return QStringLiteral("tile %1 removed").arg(tileName(change.oldValue, catalogue));
    return QStringLiteral("tile %1 -> %2").arg(tileName(change.oldValue, catalogue), tileName(change.newValue, catalogue));
}

QString changeText(const Change& change, const Catalogue& catalogue)
{
    const QString entity = QStringLiteral("entity ") + entityName(change.oldValue, change.order, catalogue);
    auto withData = [](const QString& text, const QString& data) {
        return data.isEmpty() ? text : text + QStringLiteral(", data ") + quoted(data);
    };
    switch (change.what) {
    case Change::What::Tile:
        return tileChange(change, catalogue);
    case Change::What::EntityAdded:
        return withData(entity + QStringLiteral(" added"), change.newData);
    case Change::What::EntityRemoved:
        return withData(entity + QStringLiteral(" removed"), change.oldData);
    case Change::What::EntityData:
        return entity + QStringLiteral(" data %1 -> %2").arg(quoted(change.oldData), quoted(change.newData));
    }
    return {};
}

QString count(qsizetype n, const char* one, const char* many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

QString sideData(const std::optional<QString>& data)
{
    return data ? QStringLiteral("data ") + quoted(*data) : QStringLiteral("none");
}

QString sizeConflict(const Conflict& conflict, const MergeResult& merge)
{
    const SizeChange& theirs = merge.theirs;
    const bool oursUnknown = merge.ours.resized() && !merge.ours.known;
    const SizeChange& resized = oursUnknown ? merge.ours : theirs;
    auto side = [](const SizeChange& size) {
        return size.resized() ? describeSize(size) : sizeText(size.newWidth, size.newHeight) + QStringLiteral(", as in the base");
    };
    switch (conflict.why) {
    case Conflict::Why::BothResized:
        return QStringLiteral("size: %1 in the base, ours %2, theirs %3; the whole level is a conflict and keeps ours")
            .arg(sizeText(theirs.oldWidth, theirs.oldHeight), side(merge.ours), side(theirs));
    case Conflict::Why::CornerUnknown:
        return QStringLiteral(
            "size: %1 resized %2 to %3 at a corner that cannot be told, so no cell can be matched; the whole level "
            "is a conflict and keeps ours")
            .arg(oursUnknown ? QStringLiteral("ours") : QStringLiteral("theirs"), sizeText(resized.oldWidth, resized.oldHeight),
                sizeText(resized.newWidth, resized.newHeight));
    case Conflict::Why::CutsOursOff:
        return QStringLiteral("size: theirs %1, cutting off changes of ours; the level keeps ours's size and leaves out theirs's resize")
            .arg(describeSize(theirs));
    }
    return {};
}

} // namespace

QString layerName(int layer)
{
    static const std::array<const char*, TileGrid::layerCount> captions{
        "Main Level", "Top Left", "Top Right", "Bottom Left", "Bottom Right"};
    if (layer >= 0 && layer < TileGrid::layerCount)
        return QLatin1String(captions[static_cast<size_t>(layer)]);
    return QStringLiteral("screen %1").arg(layer);
}

QString describeSize(const SizeChange& size)
{
    const QString sizes = sizeText(size.oldWidth, size.oldHeight) + QStringLiteral(" -> ") + sizeText(size.newWidth, size.newHeight);
    if (!size.known)
        return sizes + QStringLiteral(", at a corner that cannot be told");
    const bool wider = size.newWidth != size.oldWidth;
    const bool higher = size.newHeight != size.oldHeight;
    const bool grown = size.newWidth >= size.oldWidth && size.newHeight >= size.oldHeight;
    const bool shrunk = size.newWidth <= size.oldWidth && size.newHeight <= size.oldHeight;
    const QString vertical = !higher ? QString() : size.dy != 0 ? QStringLiteral("top") : QStringLiteral("bottom");
    const QString horizontal = !wider ? QString() : size.dx != 0 ? QStringLiteral("left") : QStringLiteral("right");
    QString where =
        wider && higher ? QStringLiteral("the %1 %2 corner").arg(vertical, horizontal) : QStringLiteral("the ") + vertical + horizontal;
    QString text = QStringLiteral("%1, %2 at %3")
                       .arg(sizes,
                           grown        ? QStringLiteral("grown")
                               : shrunk ? QStringLiteral("shrunk")
                                        : QStringLiteral("resized"),
                           where);
    if (size.dx != 0 || size.dy != 0) {
        const int oldX = std::max(0, -size.dx);
        const int oldY = std::max(0, -size.dy);
        text += QStringLiteral(": what was at %1 is at %2 now").arg(at(oldX, oldY), at(oldX + size.dx, oldY + size.dy));
    }
    return text;
}

QStringList describeDiff(const LevelDiff& diff, const Catalogue& catalogue)
{
    QStringList lines;
    if (diff.size.resized())
        lines.append(QStringLiteral("size ") + describeSize(diff.size));
    if (diff.playerMoved())
        lines.append(QStringLiteral("player start moved from %1 to %2")
                         .arg(at(diff.oldPlayer.x, diff.oldPlayer.y), at(diff.newPlayer.x, diff.newPlayer.y)));
    if (diff.playerDataChanged())
        lines.append(QStringLiteral("player data %1 -> %2").arg(quoted(diff.oldPlayer.data), quoted(diff.newPlayer.data)));
    bool first = true;
    int layer = 0;
    for (const Change& change : diff.changes) {
        if (first || change.layer != layer)
            lines.append(layerHeading(change.layer));
        first = false;
        layer = change.layer;
        lines.append(QStringLiteral("  %1: %2").arg(at(change.x, change.y), changeText(change, catalogue)));
    }
    return lines;
}

QStringList describeDiffCounts(const LevelDiff& diff)
{
    QStringList lines;
    if (diff.size.resized())
        lines.append(QStringLiteral("size %1 -> %2")
                         .arg(sizeText(diff.size.oldWidth, diff.size.oldHeight), sizeText(diff.size.newWidth, diff.size.newHeight)));
    if (diff.playerMoved() && diff.playerDataChanged())
        lines.append(QStringLiteral("player start moved, data changed"));
    else if (diff.playerMoved())
        lines.append(QStringLiteral("player start moved"));
    else if (diff.playerDataChanged())
        lines.append(QStringLiteral("player data changed"));
    auto it = diff.changes.begin();
    while (it != diff.changes.end()) {
        const int layer = it->layer;
        std::array<qsizetype, 4> counts{}; // by Change::What
        for (; it != diff.changes.end() && it->layer == layer; ++it)
            ++counts[static_cast<size_t>(it->what)];
        QStringList parts;
        if (counts[0] > 0)
            parts.append(count(counts[0], "tile changed", "tiles changed"));
        if (counts[1] > 0)
            parts.append(count(counts[1], "entity added", "entities added"));
        if (counts[2] > 0)
            parts.append(count(counts[2], "entity removed", "entities removed"));
        if (counts[3] > 0)
            parts.append(count(counts[3], "entity with other data", "entities with other data"));
        lines.append(layerName(layer) + QStringLiteral(": ") + parts.join(QStringLiteral(", ")));
    }
    return lines;
}

QString describeConflict(const Conflict& conflict, const MergeResult& merge, const Catalogue& catalogue)
{
    const QString place =
        QStringLiteral("%1, cell %2%3: ")
            .arg(layerName(conflict.layer), at(conflict.x, conflict.y), conflict.cut ? QStringLiteral(" of the base") : QString());
    switch (conflict.what) {
    case Conflict::What::Size:
        return sizeConflict(conflict, merge);
    case Conflict::What::Tile:
        return place
            + QStringLiteral("tile %1 in the base, %2 in ours, %3 in theirs")
                  .arg(tileName(conflict.base, catalogue), tileName(conflict.ours, catalogue), tileName(conflict.theirs, catalogue));
    case Conflict::What::Entity:
        return place
            + QStringLiteral("entity %1: %2 in the base, %3 in ours, %4 in theirs")
                  .arg(entityName(conflict.kind, conflict.order, catalogue), sideData(conflict.baseData), sideData(conflict.oursData),
                      sideData(conflict.theirsData));
    case Conflict::What::Player:
        return QStringLiteral("player start: %1 in the base, %2 in ours, %3 in theirs")
            .arg(player(merge.basePlayer), player(merge.oursPlayer), player(merge.theirsPlayer));
    case Conflict::What::TooManyEntities:
        return QStringLiteral("entities: together the two sides hold more than %1, the most a level can; the level keeps ours")
            .arg(Level::maxEntities);
    }
    return {};
}

} // namespace leveldiff
