#pragma once

#include "model/Result.h"

#include <QString>
#include <QStringList>

// The level index: one level name per line, in the order the names were
// added, 8-bit text with CR LF after every line.

// The names in file order, empty lines included. A missing index gives no
// names; one that is not a regular file, is too large or cannot be read
// gives none either, and `problem` then says why, worded to follow the
// index's name.
QStringList readLevelIndex(const QString& path, QString* problem = nullptr);

// Adds a name as the last line; a failure tells why the name could not be
// added, for the user.
Result appendToLevelIndex(const QString& path, const QString& name);
