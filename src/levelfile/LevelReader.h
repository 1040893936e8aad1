#pragma once

#include "model/Catalogue.h"
#include "model/Level.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <functional>
#include <vector>

// Something the reader has to tell the user about a level file.
struct LevelFileReport
{
    int line = 0; // the line of the file it concerns, counted from 1
    QString message; // the text exactly as the editor shows it
    int column = 0; // the character of the line it concerns, counted from 1; 0 for the whole line

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
    // Entity lines on a screen outside 0 to 4, in file order: the level
    // keeps those entities, but no view shows them and a save does not
    // write them. The editor's Load says nothing of them, as it always did.
    std::vector<LevelFileReport> unsaved;
    // Grid fields that name no tile kind, in file order: the cell is read as
    // the first tile kind. The editor's Load says nothing of them either.
    std::vector<LevelFileReport> unknownTiles;
    // When !ok: what ended the read, "Bad input file: line N: ...".
    LevelFileReport failure;
};

// The two kinds of line the reader tells of without ending the read.
enum class LineNote {
    Unrecognised, // goes to `reports`
    Unsaved, // goes to `unsaved`
    UnknownTile, // goes to `unknownTiles`
};

// A message made only when it is asked for. It refers to the reader's own
// state, so it is valid only during the call it is passed to.
class LazyMessage
{
public:
    template<typename Make>
    LazyMessage(const Make& make)
        : m_make(&make)
        , m_call([](const void* maker) { return (*static_cast<const Make*>(maker))(); })
    {
    }
    QString operator()() const { return m_call(m_make); }

private:
    const void* m_make;
    QString (*m_call)(const void*);
};

// Receives those lines one by one, in file order, as the reader meets them,
// since a hostile file can hold millions: what kind of line it is, its number
// (and for a grid field its column, else 0) and its message, which a
// receiver that only counts need not make.
using LineNotes = std::function<void(LineNote note, int line, int column, const LazyMessage& message)>;

// Reads a level file (Latin-1 bytes) into a new level. `current` is the level
// in the editor: a file without a player line keeps its player start. The
// editor's level itself is never touched, so a bad file cannot leave a half
// read level behind. The lines it tells of go to `notes` when it is given,
// and into the result's `reports` and `unsaved` otherwise.
LevelReadResult readLevel(const QByteArray& bytes, const Catalogue& catalogue, const Level& current, const LineNotes& notes = {});
