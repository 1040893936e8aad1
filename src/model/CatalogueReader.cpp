#include "model/CatalogueReader.h"

#include "model/Numbers.h"
#include "model/TextLines.h"

#include <QDir>
#include <QFile>

namespace {

const char* const tileFieldNames[] = {"name", "second line", "tooltip"};
const char* const entityFieldNames[] = {"name", "first picture file", "second picture file", "fourth line", "tip"};

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

    // A count line: the last row number is the count less one, rounded.
    bool count(qint16& last, const QString& what)
    {
        QString line;
        if (!next(line, QStringLiteral("the number of %1").arg(what)))
            return false;
        const std::optional<double> value = numbers::parseNumber(line);
        const std::optional<qint16> rounded = value ? numbers::roundToInt16(*value - 1) : std::nullopt;
        if (!rounded || *rounded < 0) {
            m_error = QStringLiteral("\"%1\", line %2: the number of %3 must be a number of at least 1, but the line reads \"%4\".")
                          .arg(m_fileName)
                          .arg(m_lines.lineNumber())
                          .arg(what, line);
            return false;
        }
        last = *rounded;
        return true;
    }

    const QString& error() const { return m_error; }

private:
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
    QString line;

    if (!reader.count(result.tileDefLast, QStringLiteral("tile kinds")))
        return Result::failure(reader.error());
    result.tileDefs.resize(static_cast<size_t>(result.tileDefLast) + 1);
    for (int kind = 0; kind <= result.tileDefLast; ++kind) {
        for (int field = 0; field < 3; ++field) {
            const QString what = QStringLiteral("the %1 of tile kind %2").arg(QLatin1String(tileFieldNames[field])).arg(kind);
            if (!reader.next(line, what))
                return Result::failure(reader.error());
            result.tileDefs[static_cast<size_t>(kind)][static_cast<size_t>(field)] = line;
        }
    }

    if (!reader.next(line, QStringLiteral("the line that separates the tile kinds from the entity kinds")))
        return Result::failure(reader.error());

    if (!reader.count(result.entityDefLast, QStringLiteral("entity kinds")))
        return Result::failure(reader.error());
    result.entityDefs.resize(static_cast<size_t>(result.entityDefLast) + 1);
    for (int kind = 0; kind <= result.entityDefLast; ++kind) {
        for (int field = 0; field < 5; ++field) {
            const QString what = QStringLiteral("the %1 of entity kind %2").arg(QLatin1String(entityFieldNames[field])).arg(kind);
            if (!reader.next(line, what))
                return Result::failure(reader.error());
            result.entityDefs[static_cast<size_t>(kind)][static_cast<size_t>(field)] = field == Catalogue::EntityTip ? tipText(line) : line;
        }
    }

    catalogue = std::move(result);
    return Result::success();
}

Result loadCatalogue(const QString& folder, Catalogue& catalogue)
{
    const QString path = QDir(folder).absoluteFilePath(QString::fromLatin1(catalogueFileName));
    QFile file(path);
    if (!file.exists())
        return Result::failure(QStringLiteral(
            "The element catalogue \"%1\" was not found.\n\nTilewright reads the tile and entity kinds from this file in its working "
            "folder; start it in a game folder that holds one.")
                                   .arg(QDir::toNativeSeparators(path)));
    if (!file.open(QIODevice::ReadOnly))
        return Result::failure(
            QStringLiteral("The element catalogue \"%1\" could not be read: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
    return readCatalogue(file.readAll(), catalogue, QDir::toNativeSeparators(path));
}
