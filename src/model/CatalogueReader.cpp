#include "model/CatalogueReader.h"

#include "model/Excerpt.h"
#include "model/Numbers.h"
#include "model/TextLines.h"
#include "model/WholeFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

const char* const tileFieldNames[] = {"name", "second line", "tooltip"};
const char* const entityFieldNames[] = {"name", "first picture file", "second picture file", "fourth line", "tip"};

// Digits alone, blanks around them allowed: a count, however large.
bool isWholeNumber(QStringView line)
{
    const QStringView digits = line.trimmed();
    return !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}

// Reads the catalogue line by line and remembers what went wrong first.
class Reader
{
public:
    Reader(const QByteArray& text, const QString& fileName)
        : m_lines(text)
        , m_fileName(fileName)
    {
    }

    // The next line, or no value (and an error) when the file has ended.
    bool next(QString& line, const QString& whatIsExpected)
    {
        if (m_lines.atEnd()) {
            m_error = QStringLiteral("\"%1\" ends early: line %2 should hold %3, but the file has only %4 lines.")
                          .arg(m_fileName)
                          .arg(m_lines.lineNumber() + 1)
                          .arg(whatIsExpected)
                          .arg(m_lines.lineNumber());
            return false;
        }
        line = m_lines.readLine();
        return true;
    }

    // A count line: the last row number is the count less one, rounded, so
    // the number of kinds is that row number plus one.
    bool count(int& kinds, const QString& what)
    {
        QString line;
        if (!next(line, QStringLiteral("the number of %1").arg(what)))
            return false;
        const std::optional<double> value = numbers::parseNumber(line);
        const std::optional<double> lastRow = value ? std::optional<double>(*value - 1) : std::nullopt;
        const std::optional<qint16> rounded = lastRow ? numbers::roundToInt16(*lastRow) : std::nullopt;
        if (rounded && *rounded >= 0) {
            kinds = *rounded + 1;
            return true;
        }
        if (!value && line.contains(u'\n'))
            return endsInLineFeeds();
        // A row number is 16 bits: the last row can be 32767 at most.
        const bool tooLarge = lastRow ? !rounded && *lastRow > 0 : isWholeNumber(line);
        m_error = QStringLiteral("\"%1\", line %2: the number of %3 must be a number %4, but the line reads \"%5\".")
                      .arg(m_fileName)
                      .arg(m_lines.lineNumber())
                      .arg(what, tooLarge ? QStringLiteral("of at most 32768") : QStringLiteral("of at least 1"), excerpt(line));
        return false;
    }

    // A kind's name is how level files write the kind: it must be a field of
    // its own there, or a level saved with it could not be read back.
    bool name(QString& line, const QString& whatIsRead)
    {
        if (!next(line, whatIsRead))
            return false;
        if (line.isEmpty())
            m_error = QStringLiteral("\"%1\", line %2: %3 is empty; a level file could not name the kind.")
                          .arg(m_fileName)
                          .arg(m_lines.lineNumber())
                          .arg(whatIsRead);
        else if (line.contains(u'\t'))
            m_error = QStringLiteral(
                "\"%1\", line %2: %3 holds a TAB, which separates the fields of a level file, so a level saved "
                "with this kind could not be read back. The line reads \"%4\".")
                          .arg(m_fileName)
                          .arg(m_lines.lineNumber())
                          .arg(whatIsRead, excerpt(line));
        return m_error.isEmpty();
    }

    const QString& error() const { return m_error; }

private:
    // A file whose lines end in LF alone reads as one long line.
    bool endsInLineFeeds()
    {
        m_error = QStringLiteral(
            "\"%1\", line %2: the lines end in LF only; the catalogue's lines must end in CR LF (a file "
            "written on Linux or macOS may need converting).")
                      .arg(m_fileName)
                      .arg(m_lines.lineNumber());
        return false;
    }

    LineReader m_lines;
    QString m_fileName;
    QString m_error;
};

// Each tab of a tip marks a paragraph break.
QString tipText(const QString& line)
{
    QString tip = line;
    tip.replace(u'\t', QStringLiteral("\r\n\r\n"));
    return tip;
}

} // namespace

Result readCatalogue(const QByteArray& text, Catalogue& catalogue, const QString& fileName)
{
    Reader reader(text, fileName);
    Catalogue result;

    int tileCount = 0;
    if (!reader.count(tileCount, QStringLiteral("tile kinds")))
        return Result::failure(reader.error());
    for (int kind = 0; kind < tileCount; ++kind) {
        auto what = [kind](
                        int field) { return QStringLiteral("the %1 of tile kind %2").arg(QLatin1String(tileFieldNames[field])).arg(kind); };
        TileKind tile;
        if (!reader.name(tile.name, what(0)) || !reader.next(tile.unused, what(1)) || !reader.next(tile.tooltip, what(2)))
            return Result::failure(reader.error());
        result.tileDefs.push_back(std::move(tile));
    }

    QString separator;
    if (!reader.next(separator, QStringLiteral("the line that separates the tile kinds from the entity kinds")))
        return Result::failure(reader.error());

    int entityCount = 0;
    if (!reader.count(entityCount, QStringLiteral("entity kinds")))
        return Result::failure(reader.error());
    for (int kind = 0; kind < entityCount; ++kind) {
        auto what = [kind](int field) {
            return QStringLiteral("the %1 of entity kind %2").arg(QLatin1String(entityFieldNames[field])).arg(kind);
        };
        EntityKind entity;
        if (!reader.name(entity.name, what(0)) || !reader.next(entity.andPicture, what(1)) || !reader.next(entity.orPicture, what(2))
            || !reader.next(entity.unused, what(3)) || !reader.next(entity.tip, what(4)))
            return Result::failure(reader.error());
        entity.tip = tipText(entity.tip);
        result.entityDefs.push_back(std::move(entity));
    }

    catalogue = std::move(result);
    return Result::success();
}

Result loadCatalogue(const QString& folder, Catalogue& catalogue)
{
    const QString path = QDir(folder).absoluteFilePath(QString::fromLatin1(catalogueFileName));
    const QString shown = QDir::toNativeSeparators(path);
    if (!QFileInfo::exists(path) && !isSymLinkLoop(path))
        return Result::failure(QStringLiteral(
            "The element catalogue \"%1\" was not found.\n\nTilewright reads the tile and entity kinds from this file in its working "
            "folder; start it in a game folder that holds one.")
                                   .arg(shown));
    QByteArray text;
    if (const Result read = readWholeFile(path, filecaps::catalogue, text); !read)
        return Result::failure(QStringLiteral("The element catalogue \"%1\" %2.").arg(shown, read.message()));
    return readCatalogue(text, catalogue, shown);
}
