#pragma once

#include "model/Catalogue.h"
#include "model/DataTextCommand.h"
#include "model/Level.h"

#include <QString>
#include <QStringList>

#include <memory>

// The rows of the entity data editor: row 0 is the player start, row r >= 1
// entity slot r - 1. Entities of every layer are listed alike, in slot order.
namespace entityrows {

inline constexpr int playerRow = 0;

int rowCount(const Level& level);

// "x,y,Player" for row 0, "x,y,name of the kind" for an entity.
QString objectText(const Level& level, const Catalogue& catalogue, int row);
// The data text of the row's object.
QString dataText(const Level& level, int row);
// What the data text of the row's object should hold.
QString tip(const Level& level, const Catalogue& catalogue, int row);

QStringList objectTexts(const Level& level, const Catalogue& catalogue);
QStringList dataTexts(const Level& level);

// Stores a data text for the row's object (the player start for row 0) and
// returns the step that takes it back; none when the text was there already.
[[nodiscard]] std::unique_ptr<DataTextCommand> storeData(Level& level, int row, const QString& text);

} // namespace entityrows
