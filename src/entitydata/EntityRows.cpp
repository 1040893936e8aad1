#include "entitydata/EntityRows.h"

#include "model/Numbers.h"

namespace entityrows {

namespace {

const Entity& entityOfRow(const Level& level, int row)
{
    return level.entities[static_cast<size_t>(row - 1)];
}

// A kind that the catalogue does not know shows an empty name and tip
// rather than reading past the table.
const EntityKind& entityKind(const Catalogue& catalogue, int kind)
{
    static const EntityKind unknown;
    return catalogue.hasEntity(kind) ? catalogue.entity(kind) : unknown;
}

QString position(int x, int y)
{
    return numbers::text(x) + u',' + numbers::text(y) + u',';
}

} // namespace

int rowCount(const Level& level)
{
    return level.entityCount + 1;
}

QString objectText(const Level& level, const Catalogue& catalogue, int row)
{
    if (row == playerRow)
        return position(level.playerX, level.playerY) + QStringLiteral("Player");
    const Entity& entity = entityOfRow(level, row);
    return position(entity.x, entity.y) + entityKind(catalogue, entity.kind).name;
}

QString dataText(const Level& level, int row)
{
    if (row == playerRow)
        return level.playerData;
    return level.entityData[static_cast<size_t>(row - 1)];
}

QString tip(const Level& level, const Catalogue& catalogue, int row)
{
    if (row == playerRow)
        return QStringLiteral("'left' or 'right'");
    return entityKind(catalogue, entityOfRow(level, row).kind).tip;
}

QStringList objectTexts(const Level& level, const Catalogue& catalogue)
{
    QStringList texts;
    texts.reserve(rowCount(level));
    for (int row = 0; row < rowCount(level); ++row)
        texts.append(objectText(level, catalogue, row));
    return texts;
}

QStringList dataTexts(const Level& level)
{
    QStringList texts;
    texts.reserve(rowCount(level));
    for (int row = 0; row < rowCount(level); ++row)
        texts.append(dataText(level, row));
    return texts;
}

std::unique_ptr<DataTextCommand> storeData(Level& level, int row, const QString& text)
{
    return DataTextCommand::store(level, row - 1, text);
}

} // namespace entityrows
