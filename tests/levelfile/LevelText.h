#pragma once

#include <QByteArray>
#include <QStringList>

// Level file text for the tests: '|' stands for each TAB; every line ends with CR LF.
inline QByteArray fileLines(const QStringList& lines)
{
    QByteArray bytes;
    for (QString line : lines)
        bytes += line.replace(u'|', u'\t').toLatin1() + "\r\n";
    return bytes;
}
