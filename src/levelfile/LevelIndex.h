#pragma once

#include "model/Result.h"

#include <QString>
#include <QStringList>

// The level index: one level name per line, in the order the names were
// added, 8-bit text with CR LF after every line.

// The names in file order, empty lines included. A missing or unreadable
// index gives no names.
QStringList readLevelIndex(const QString& path);

// Adds a name as the last line; a failure tells why the name could not be
// added, for the user.
Result appendToLevelIndex(const QString& path, const QString& name);
