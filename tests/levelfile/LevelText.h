#pragma once

#include <QByteArray>
#include <QList>

// Level file text for the tests: the lines as they stand in the file (fields
// separated by \t), each ended with the CR LF the editor writes.
inline QByteArray crlfLines(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}
