#pragma once

#include "model/Catalogue.h"

#include <QByteArray>
#include <QList>
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

// A whole file as the writer makes it: the grid, screen "all" and the four
// corner screens, each header written even when the screen is empty.
inline QByteArray writtenFile(const QStringList& grid, const QStringList& all, const QList<QStringList>& corners = {})
{
    QStringList lines = grid;
    lines << "" << "Screen|all" << all;
    for (int screen = 1; screen <= 4; ++screen)
        lines << "" << QStringLiteral("Screen|%1").arg(screen) << corners.value(screen - 1);
    return fileLines(lines);
}

// Tile kinds floor (0), wall, ice, twin; entity kinds box (0), door, twin.
inline Catalogue exampleCatalogue()
{
    Catalogue c;
    for (const char* name : {"floor", "wall", "ice", "twin"})
        c.tileDefs.push_back({QString::fromLatin1(name), QString(), QString()});
    for (const char* name : {"box", "door", "twin"})
        c.entityDefs.push_back({QString::fromLatin1(name), QString(), QString(), QString(), QString()});
    c.tileDefLast = static_cast<qint16>(c.tileDefs.size() - 1);
    c.entityDefLast = static_cast<qint16>(c.entityDefs.size() - 1);
    return c;
}
