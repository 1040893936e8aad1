#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

// Level file text for the tests: '|' stands for each TAB; every line ends with CR LF.
inline QByteArray fileLines(const QStringList& lines)
{
    QByteArray bytes;
    for (QString line : lines)
        bytes += line.replace(u'|', u'\t').toLatin1() + "\r\n";
    return bytes;
}

// Level file text for the tests: the lines as they stand in the file (fields
// separated by \t), each ended with the CR LF the editor writes.
inline QByteArray crlfLines(const QList<QByteArray>& lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}
