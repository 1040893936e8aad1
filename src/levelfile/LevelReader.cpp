#include "levelfile/LevelReader.h"

#include "model/Excerpt.h"
#include "model/Numbers.h"
#include "model/TextLines.h"

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace {

// Finds the first TAB of the text; its length when there is none.
qsizetype tabIn(QLatin1StringView text)
{
    if (text.isEmpty())
        return 0;
    const void* tab = std::memchr(text.data(), '\t', static_cast<size_t>(text.size()));
    return tab ? static_cast<const char*>(tab) - text.data() : text.size();
}

// The kinds by name. A large level has tens of thousands of element lines,
// each looked up among the entity kinds and then the tile kinds, so the
// names are hashed once per read rather than compared one by one per line.
// The lines are Latin-1 bytes, and so are the names here: a name with a
// character beyond Latin-1 can match no line, and is left out.
class KindNames
{
public:
    template<typename NameOf>
    KindNames(int count, NameOf nameOf)
    {
        std::vector<int> kinds;
        for (int kind = 0; kind < count; ++kind) {
            const QString& name = nameOf(kind);
            if (std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() <= 0xFF; })) {
                m_names.push_back(name.toLatin1());
                kinds.push_back(kind);
            }
        }
        // The first kind of a name in catalogue order is the one a name means.
        for (size_t i = 0; i < m_names.size(); ++i)
            m_kinds.try_emplace(QByteArrayView(m_names[i]), kinds[i]);
    }

    // The kind of that name, or -1.
    int find(QLatin1StringView name) const
    {
        const auto it = m_kinds.find(QByteArrayView(name.data(), name.size()));
        return it == m_kinds.end() ? -1 : it->second;
    }

private:
    // Names are short: a plain FNV-1a hash of their bytes costs a fraction
    // of Qt's own, which is built for long and hostile keys.
    struct Hash
    {
        size_t operator()(QByteArrayView text) const
        {
            quint64 hash = 14695981039346656037ull;
            for (const char c : text)
                hash = (hash ^ static_cast<uchar>(c)) * 1099511628211ull;
            return static_cast<size_t>(hash);
        }
    };
    std::vector<QByteArray> m_names;
    // The views point into m_names, whose arrays stay where they are.
    std::unordered_map<QByteArrayView, int, Hash> m_kinds;
};

// Reads one file. Each step returns false once the read has failed; the
// failure is then in the result.
class Reader
{
public:
    Reader(const QByteArray& bytes, const Catalogue& catalogue, const Level& current, const LineNotes& notes)
        : m_bytes(bytes)
        , m_notes(notes)
        , m_tileKinds(catalogue.tileCount(), [&](int kind) -> const QString& { return catalogue.tileName(kind); })
        , m_entityKinds(catalogue.entityCount(), [&](int kind) -> const QString& { return catalogue.entityName(kind); })
        , m_firstTileName(catalogue.tileCount() > 0 ? catalogue.tileName(0) : QString())
    {
        m_result.level.playerX = current.playerX;
        m_result.level.playerY = current.playerY;
        m_result.level.playerData = current.playerData;
    }

    LevelReadResult read()
    {
        qint16 width = 0;
        qint16 height = 0;
        if (!measure(width, height))
            return std::move(m_result);
        Level& level = m_result.level;
        levelops::replaceGrid(level, width, height);
        levelops::clearEntities(level);

        LineReader lines(m_bytes);
        if (!readGrid(lines))
            return std::move(m_result);
        lines.readLineView(); // the empty line that ends the grid
        if (!readSections(lines))
            return std::move(m_result);
        m_result.ok = true;
        return std::move(m_result);
    }

private:
    bool fail(int line, const QString& description)
    {
        m_result.failure = {line, QStringLiteral("Bad input file: line %1: %2").arg(line).arg(description)};
        return false;
    }

    template<typename Message>
    void note(LineNote kind, int line, int column, const Message& message)
    {
        if (m_notes) {
            m_notes(kind, line, column, message);
            return;
        }
        switch (kind) {
        case LineNote::Unrecognised:
            m_result.reports.push_back({line, message(), column});
            break;
        case LineNote::Unsaved:
            m_result.unsaved.push_back({line, message(), column});
            break;
        case LineNote::UnknownTile:
            m_result.unknownTiles.push_back({line, message(), column});
            break;
        }
    }

    bool failOnLineFeeds()
    {
        return fail(1,
            QStringLiteral("the lines end in LF only; a level file's lines must end in CR LF (a file written on Linux or macOS may "
                           "need converting)"));
    }

    // The first pass: the width from the TABs of the first line, the height
    // from the lines before the first empty one.
    bool measure(qint16& width, qint16& height)
    {
        LineReader lines(m_bytes);
        if (lines.atEnd())
            return fail(1, QStringLiteral("the file is empty"));
        const QLatin1StringView first = lines.readLineView();
        if (first.isEmpty())
            return fail(1, QStringLiteral("the first line is empty, so the level has no rows"));
        // A file whose lines end in LF alone reads as one line: say so rather
        // than give its width or its want of an empty line.
        const bool lineFeeds = first.contains(u'\n');
        const qsizetype columns = std::count(first.begin(), first.end(), '\t') + 1;
        if (columns > Level::maxSize)
            return lineFeeds
                ? failOnLineFeeds()
                : fail(1, QStringLiteral("the level is %1 cells wide; a level is at most %2").arg(columns).arg(Level::maxSize));
        int rows = 1;
        for (;;) {
            if (lines.atEnd())
                return lineFeeds ? failOnLineFeeds()
                                 : fail(rows + 1, QStringLiteral("the file ends in the grid; an empty line must follow its last row"));
            if (lines.readLineView().isEmpty())
                break;
            if (++rows > Level::maxSize)
                return fail(rows, QStringLiteral("the level has more than %1 rows").arg(Level::maxSize));
        }
        width = static_cast<qint16>(columns);
        height = static_cast<qint16>(rows);
        return true;
    }

    bool readGrid(LineReader& lines)
    {
        Level& level = m_result.level;
        for (int y = 0; y < level.levelHeight; ++y) {
            const QLatin1StringView line = lines.readLineView();
            QLatin1StringView rest = line;
            for (int x = 0; x < level.levelWidth; ++x) {
                if (rest.isEmpty())
                    return fail(lines.lineNumber(),
                        QStringLiteral("the row holds %1 of the %2 fields of the first row").arg(x).arg(level.levelWidth));
                // A field takes its first character whatever it is, so it is never empty.
                const qsizetype end = 1 + tabIn(rest.sliced(1));
                const QLatin1StringView name = rest.first(end);
                const int kind = tileKind(name);
                // A name no tile kind has leaves the cell at kind 0; the
                // editor's Load says nothing, a tool may.
                if (kind >= 0)
                    level.levelTiles(0, x, y) = static_cast<qint16>(kind);
                else
                    note(LineNote::UnknownTile, lines.lineNumber(), static_cast<int>(name.data() - line.data()) + 1, [&] {
                        return QStringLiteral("unknown tile \"%1\" at %2, %3 of the grid; the editor loads it as \"%4\"")
                            .arg(excerpt(name), numbers::text(x), numbers::text(y), excerpt(m_firstTileName));
                    });
                rest = rest.sliced(end);
                if (!rest.isEmpty())
                    rest = rest.sliced(1);
            }
        }
        return true;
    }

    bool readSections(LineReader& lines)
    {
        while (!lines.atEnd()) {
            const QLatin1StringView line = lines.readLineView();
            if (line.isEmpty())
                continue;
            if (line.size() >= 6 && line.first(6).compare(QLatin1StringView("screen"), Qt::CaseInsensitive) == 0) {
                if (!readScreenHeader(line, lines.lineNumber()))
                    return false;
            } else if (!readElement(line, lines.lineNumber())) {
                return false;
            }
        }
        return true;
    }

    // "screen", any one separator, then "all" or the screen's number.
    bool readScreenHeader(QLatin1StringView line, int lineNumber)
    {
        if (line.size() < 8)
            return fail(lineNumber, QStringLiteral("the screen header names no screen"));
        const QLatin1StringView screen = line.sliced(7);
        if (screen == QLatin1StringView("all")) {
            m_screen = 0;
            return true;
        }
        const std::optional<qint16> number = numbers::toInt16(screen);
        if (!number)
            return fail(
                lineNumber, QStringLiteral("the screen \"%1\" is neither all nor a number from -32768 to 32767").arg(excerpt(screen)));
        m_screen = *number;
        return true;
    }

    // A field ended by a TAB, which is dropped.
    bool takeNumber(QLatin1StringView& rest, qint16& value, const char* what, int lineNumber)
    {
        const qsizetype tab = tabIn(rest);
        if (tab == rest.size())
            return fail(lineNumber, QStringLiteral("an element line needs x, y and a kind, separated by TABs"));
        const QLatin1StringView field = rest.first(tab);
        rest = rest.sliced(tab + 1);
        const std::optional<qint16> number = numbers::toInt16(field);
        if (!number)
            return fail(
                lineNumber, QStringLiteral("%1 \"%2\" is not a number from -32768 to 32767").arg(QLatin1String(what), excerpt(field)));
        value = *number;
        return true;
    }

    bool readElement(QLatin1StringView line, int lineNumber)
    {
        QLatin1StringView rest = line;
        qint16 x = 0;
        qint16 y = 0;
        if (!takeNumber(rest, x, "x", lineNumber) || !takeNumber(rest, y, "y", lineNumber))
            return false;
        // The kind runs to the next blank field: the next TAB, or the end.
        const QLatin1StringView kind = rest.first(tabIn(rest));
        rest = rest.sliced(kind.size());
        if (!rest.isEmpty())
            rest = rest.sliced(1);
        const QString data = dataText(rest);

        Level& level = m_result.level;
        if (m_screen == 0 && kind.compare(QLatin1StringView("player"), Qt::CaseInsensitive) == 0) {
            levelops::movePlayer(level, x, y);
            level.playerData = data;
            return true;
        }
        if (const int entity = entityKind(kind); entity >= 0) {
            // Entities are kept wherever they stand; the file is the designer's.
            if (!levelops::appendEntity(level, Entity{m_screen, x, y, static_cast<qint16>(entity)}, data))
                return fail(lineNumber, QStringLiteral("the level holds more than %1 entities").arg(Level::maxEntities));
            if (m_screen < 0 || m_screen >= TileGrid::layerCount)
                note(LineNote::Unsaved, lineNumber, 0, [&] {
                    return QStringLiteral("an entity on screen %1; the screens are all and 1 to 4, so it is kept but never shown or saved")
                        .arg(numbers::text(m_screen));
                });
            return true;
        }
        if (const int tile = tileKind(kind); tile >= 0) {
            if (m_screen < 0 || m_screen >= TileGrid::layerCount)
                return fail(lineNumber, QStringLiteral("a tile on screen %1; the screens are all and 1 to 4").arg(m_screen));
            if (!level.levelTiles.contains(x, y))
                return fail(lineNumber,
                    QStringLiteral("a tile at %1, %2, outside the %3 by %4 grid")
                        .arg(x)
                        .arg(y)
                        .arg(level.levelWidth)
                        .arg(level.levelHeight));
            level.levelTiles(m_screen, x, y) = static_cast<qint16>(tile);
            return true;
        }
        note(LineNote::Unrecognised, lineNumber, 0, [&] {
            return QStringLiteral("Unrecognised: \"%1\" at %2: %3, %4")
                .arg(excerpt(kind), numbers::text(m_screen), numbers::text(x), numbers::text(y));
        });
        return true;
    }

    // The rest of an element line, each TAB a comma again: made in one go,
    // as a level has up to 32767 of them.
    static QString dataText(QLatin1StringView rest)
    {
        if (rest.isEmpty())
            return {};
        QString data(rest.size(), Qt::Uninitialized);
        QChar* out = data.data();
        for (const char c : rest)
            *out++ = c == '\t' ? QChar(u',') : QChar(QLatin1Char(c));
        return data;
    }

    int tileKind(QLatin1StringView name) const { return m_tileKinds.find(name); }
    int entityKind(QLatin1StringView name) const { return m_entityKinds.find(name); }

    const QByteArray& m_bytes;
    const LineNotes& m_notes;
    const KindNames m_tileKinds;
    const KindNames m_entityKinds;
    const QString m_firstTileName; // what a grid field of no known name is read as
    LevelReadResult m_result;
    qint16 m_screen = 0;
};

} // namespace

LevelReadResult readLevel(const QByteArray& bytes, const Catalogue& catalogue, const Level& current, const LineNotes& notes)
{
    return Reader(bytes, catalogue, current, notes).read();
}
