#pragma once

#include "model/Catalogue.h"
#include "model/Level.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

// Something the reader has to tell the user about a level file.
struct LevelFileReport
{
    int line = 0; // the line of the file it concerns, counted from 1
    QString message; // the text exactly as the editor shows it

    friend bool operator==(const LevelFileReport&, const LevelFileReport&) = default;
};

struct [[nodiscard]] LevelReadResult
{
    // True when the whole file was read; `level` then holds it.
    bool ok = false;
    Level level;
    // Element lines of a kind neither catalogue knows, in file order
    // ("Unrecognised: ..."). They were skipped; the read went on.
    std::vector<LevelFileReport> reports;
    // When !ok: what ended the read, "Bad input file: line N: ...".
    LevelFileReport failure;
};

// True when the text is empty or starts with a TAB: the end of a field.
bool fncIsBlankField(QStringView text);

// Reads a level file (Latin-1 bytes) into a new level. `current` is the level
// in the editor: a file without a player line keeps its player start. The
// editor's level itself is never touched, so a bad file cannot leave a half
// read level behind.
LevelReadResult readLevel(const QByteArray& bytes, const Catalogue& catalogue, const Level& current);
