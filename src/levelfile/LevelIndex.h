#pragma once

#include <QString>
#include <QStringList>

// The level index: one level name per line, in the order the names were
// added, 8-bit text with CR LF after every line.

// The names in file order, empty lines included. A missing or unreadable
// index gives no names.
QStringList readLevelIndex(const QString& path);

// Adds a name as the last line. Returns an empty text on success, else why
// the name could not be added, for the user.
QString appendToLevelIndex(const QString& path, const QString& name);
