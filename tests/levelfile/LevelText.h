#pragma once

#include <QByteArray>
#include <QStringList>

// Level file text for the tests: lines are given with '|' for each TAB and
// joined with CR LF after every line.
inline QByteArray fileLines(const QStringList& lines)
{
    QByteArray bytes;
    for (QString line : lines)
        bytes += line.replace(u'|', u'\t').toLatin1() + "\r\n";
    return bytes;
}
