#include "cli/LevelFiles.h"

#include "cli/Console.h"
#include "model/WholeFile.h"

#include <QFile>

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {

// Standard input, whole, up to the cap of a level file: a stream that runs
// on for ever is cut off there and refused.
Result readStandardInput(QByteArray& bytes)
{
#ifdef Q_OS_WIN
    // Text mode would take the CR out of every CR LF.
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    QFile in;
    if (!in.open(stdin, QIODevice::ReadOnly))
        return Result::failure(QStringLiteral("could not be read: %1").arg(failureReason(in)));
    bytes.clear();
    while (bytes.size() <= filecaps::level) {
        const QByteArray chunk = in.read(1024 * 1024);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    if (bytes.size() > filecaps::level)
        return Result::failure(QStringLiteral("is larger than 64 MB"));
    return Result::success();
}

const char* noteKind(LineNote note)
{
    switch (note) {
    case LineNote::Unrecognised:
        return "unknown-kind";
    case LineNote::Unsaved:
        return "unsaved-entity";
    case LineNote::UnknownTile:
        return "unknown-tile";
    }
    return "";
}

} // namespace

QString reportLine(const Report& report)
{
    QString message = report.message;
    message.replace(u'\r', QStringLiteral("\\r"));
    message.replace(u'\n', QStringLiteral("\\n"));
    QString place = report.file;
    if (report.line > 0)
        place += u':' + QString::number(report.line);
    if (report.line > 0 && report.column > 0)
        place += u':' + QString::number(report.column);
    return place + QStringLiteral(": ") + message;
}

ToldLoad loadTelling(
    const QString& path, const Catalogue& catalogue, Silent silent, bool listAll, const std::function<void(const Report&)>& tell)
{
    // Before any load the editor holds a new level.
    Level current;
    levelops::makeNewLevel(current);
    ToldLoad load;
    qsizetype unlisted = 0;
    const LineNotes notes = [&](LineNote note, int line, int column, const LazyMessage& message) {
        if (note == LineNote::UnknownTile)
            ++load.unknownTiles;
        else
            ++load.lostLines;
        if (note != LineNote::Unrecognised && silent == Silent::Quiet)
            return;
        if (++load.told > listedLines && !listAll)
            ++unlisted;
        else
            tell({path, line, column, noteKind(note), message()});
    };
    if (path == QLatin1String("-")) {
        QByteArray bytes;
        if (const Result read = readStandardInput(bytes); !read)
            load.loaded.reports.push_back({0, QStringLiteral("'-' (standard input) %1.").arg(read.message())});
        else
            load.loaded = loadLevelBytes(bytes, catalogue, current, notes);
    } else {
        load.loaded = loadLevelFile(path, catalogue, current, notes);
    }
    if (unlisted > 0)
        tell({path, 0, 0, "unlisted-reports",
            QStringLiteral("%1 more %2 not listed; --list-all lists every one.")
                .arg(QString::number(unlisted),
                    unlisted == 1 ? QStringLiteral("line with a report was") : QStringLiteral("lines with a report were"))});
    for (const LevelFileReport& report : load.loaded.reports) {
        ++load.told;
        const char* kind = report.line > 0 ? "bad-file" : load.loaded.missing ? "not-found" : "unreadable";
        tell({path, report.line, report.column, kind, report.message});
    }
    return load;
}

bool writeOutput(const QString& output, const QByteArray& bytes, Console& console)
{
    if (output.isEmpty() || output == QLatin1String("-")) {
        console.out(bytes);
        return true;
    }
    if (const Result written = writeWholeFile(output, bytes); !written) {
        console.errLine(QStringLiteral("'%1' could not be written: %2").arg(output, written.message()));
        return false;
    }
    return true;
}
