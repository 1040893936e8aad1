#include "cli/Commands.h"

#include "cli/Console.h"
#include "cli/PngWriter.h"
#include "editor/EditorPictures.h"
#include "editor/MapRenderer.h"
#include "levelfile/LevelFileLoad.h"
#include "levelfile/LevelWriter.h"
#include "model/CatalogueReader.h"
#include "model/WholeFile.h"

#include <algorithm>

namespace {

// A report as one line of output: "path:line: message", or "path: message"
// when it concerns the file as a whole. Line breaks inside the message are
// written as \r and \n so that every report stays on one line.
QString reportLine(const QString& path, const LevelFileReport& report)
{
    QString message = report.message;
    message.replace(u'\r', QStringLiteral("\\r"));
    message.replace(u'\n', QStringLiteral("\\n"));
    if (report.line == 0)
        return path + QStringLiteral(": ") + message;
    return QStringLiteral("%1:%2: %3").arg(path, QString::number(report.line), message);
}

// A level read as the editor's Load reads it, every report told on one
// stream as it comes: the lines of unknown kind, with `unsaved` also the
// entities a save would drop, then what ended a failed read.
struct ToldLoad
{
    LoadedLevel loaded;
    qsizetype told = 0; // reports told, of every kind, the unlisted ones included
    qsizetype lostLines = 0; // lines of the file a save of the level would not write
};

// Lines with a report that are listed one by one; the rest are counted, so
// that a file of millions of bad lines is answered in a moment.
constexpr qsizetype listedLines = 100;

ToldLoad loadTelling(
    const QString& path, const Catalogue& catalogue, const Command& command, bool unsaved, const std::function<void(const QString&)>& tell)
{
    // Before any load the editor holds a new level.
    Level current;
    levelops::makeNewLevel(current);
    ToldLoad load;
    qsizetype unlisted = 0;
    load.loaded = loadLevelFile(path, catalogue, current, [&](LineNote note, int line, const LazyMessage& message) {
        ++load.lostLines;
        if (note == LineNote::Unsaved && !unsaved)
            return;
        if (++load.told > listedLines && !command.listAll)
            ++unlisted;
        else
            tell(reportLine(path, {line, message()}));
    });
    if (unlisted > 0)
        tell(QStringLiteral("%1: %2 more %3 not listed; --list-all lists every one.")
                 .arg(path, QString::number(unlisted),
                     unlisted == 1 ? QStringLiteral("line with a report was") : QStringLiteral("lines with a report were")));
    for (const LevelFileReport& report : load.loaded.reports) {
        ++load.told;
        tell(reportLine(path, report));
    }
    return load;
}

int check(const Command& command, const Catalogue& catalogue, Console& console)
{
    int status = exitstatus::clean;
    for (const QString& path : command.levels) {
        const ToldLoad load = loadTelling(path, catalogue, command, true, [&](const QString& line) { console.outLine(line); });
        if (load.told > 0)
            status = exitstatus::reported;
    }
    return status;
}

int format(const Command& command, const Catalogue& catalogue, Console& console)
{
    const QString& path = command.levels.front();
    const ToldLoad load = loadTelling(path, catalogue, command, true, [&](const QString& line) { console.errLine(line); });
    if (!load.loaded.ok)
        return exitstatus::reported;
    // Written over its own file, a level that drops lines would lose them for good.
    if (load.lostLines > 0 && !command.dropUnknown) {
        console.errLine(
            QStringLiteral("%1: not written: %2 would be lost; --drop-unknown writes the level without %3.")
                .arg(path,
                    load.lostLines == 1 ? QStringLiteral("the line above") : QStringLiteral("the %1 lines above").arg(load.lostLines),
                    load.lostLines == 1 ? QStringLiteral("it") : QStringLiteral("them")));
        return exitstatus::reported;
    }
    const QByteArray bytes = writeLevel(load.loaded.level, catalogue);
    if (command.output.isEmpty()) {
        console.out(bytes);
    } else if (const Result written = writeWholeFile(command.output, bytes); !written) {
        console.errLine(QStringLiteral("'%1' could not be written: %2").arg(command.output, written.message()));
        return exitstatus::reported;
    }
    return load.told > 0 ? exitstatus::reported : exitstatus::clean;
}

// Writes the map as a picture, drawn a band of rows at a time straight into
// the rows being written, so that the whole picture is never held; the file
// is replaced as a whole or not at all.
Result savePng(maprenderer::MapDrawing& drawing, const QString& path)
{
    return writeWholeFile(path, [&drawing](QIODevice& file) {
        const QSize size = drawing.size();
        PngWriter png(file, size);
        QImage band(size.width(), std::min(size.height(), 64), QImage::Format_RGB32);
        for (int top = 0; top < size.height(); top += band.height()) {
            drawing.draw(band, top);
            png.writeRows(band, std::min(band.height(), size.height() - top));
        }
        if (!png.finish())
            return Result::failure(png.errorString());
        return Result::success();
    });
}

int render(const Command& command, const Catalogue& catalogue, Console& console)
{
    // The editor reads every picture before it shows anything.
    EditorPictures pictures;
    if (const Result loaded = loadEditorPictures(command.gameFolder, catalogue, pictures); !loaded) {
        console.errLine(loaded.message());
        return exitstatus::unusable;
    }
    const QString& path = command.levels.front();
    const ToldLoad load = loadTelling(path, catalogue, command, false, [&](const QString& line) { console.errLine(line); });
    if (!load.loaded.ok)
        return exitstatus::reported;
    maprenderer::MapDrawing drawing(pictures, load.loaded.level, command.view);
    if (const Result written = savePng(drawing, command.output); !written) {
        console.errLine(QStringLiteral("'%1' could not be written: %2").arg(command.output, written.message()));
        return exitstatus::reported;
    }
    return load.told > 0 ? exitstatus::reported : exitstatus::clean;
}

} // namespace

int runCommand(const Command& command, Console& console)
{
    Catalogue catalogue;
    if (const Result read = loadCatalogue(command.gameFolder, catalogue); !read) {
        console.errLine(read.message());
        return exitstatus::unusable;
    }
    switch (command.kind) {
    case Command::Check:
        return check(command, catalogue, console);
    case Command::Format:
        return format(command, catalogue, console);
    case Command::Render:
        return render(command, catalogue, console);
    }
    return exitstatus::unusable;
}
