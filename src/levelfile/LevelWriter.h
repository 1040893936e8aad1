#pragma once

#include "model/Catalogue.h"
#include "model/Level.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

// An entity data text as the file holds it: every "," becomes a TAB and every
// space is dropped, so the parts become further fields of the entity line.
// Each character of the result goes to `put`, in order.
template<typename Put>
void fncCleanLine(QStringView text, Put put)
{
    for (const QChar c : text) {
        if (c == u',')
            put(QChar(u'\t'));
        else if (c != u' ')
            put(c);
    }
}

// The exact bytes of the level file: the main grid, then the screens "all"
// and 1 to 4, every line ending with CR LF. Kinds are written by their
// catalogue names; entities on a layer outside 0 to 4 are not written.
// Characters are written as Latin-1 bytes.
QByteArray writeLevel(const Level& level, const Catalogue& catalogue);

// The main grid's lines and the empty line after them, then the section of
// corner screen `screen`, each line as writeLevel writes it: the lines that
// carry a block of cells on the clipboard (BlockText).
QByteArray writeGridAndScreen(const Level& level, const Catalogue& catalogue, int screen);
