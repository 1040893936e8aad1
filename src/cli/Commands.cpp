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

// Reads a level as the editor's Load does; before any load the editor holds a new level.
LoadedLevel loadLevelFile(const QString& path, const Catalogue& catalogue)
{
    Level current;
    levelops::makeNewLevel(current);
    return loadLevelFile(path, catalogue, current);
}

// Loads one level, telling every report on standard error; the load is
// usable when `ok` is set.
LoadedLevel loadReporting(const QString& path, const Catalogue& catalogue, Console& console)
{
    LoadedLevel loaded = loadLevelFile(path, catalogue);
    for (const LevelFileReport& report : loaded.reports)
        console.errLine(reportLine(path, report));
    return loaded;
}

int statusOf(const LoadedLevel& loaded)
{
    return loaded.reports.empty() ? exitstatus::clean : exitstatus::reported;
}

int check(const Command& command, const Catalogue& catalogue, Console& console)
{
    int status = exitstatus::clean;
    for (const QString& path : command.levels) {
        const LoadedLevel loaded = loadLevelFile(path, catalogue);
        for (const LevelFileReport& report : loaded.reports)
            console.outLine(reportLine(path, report));
        if (!loaded.reports.empty())
            status = exitstatus::reported;
    }
    return status;
}

int format(const Command& command, const Catalogue& catalogue, Console& console)
{
    const QString& path = command.levels.front();
    const LoadedLevel loaded = loadReporting(path, catalogue, console);
    if (!loaded.ok)
        return exitstatus::reported;
    const QByteArray bytes = writeLevel(loaded.level, catalogue);
    if (command.output.isEmpty()) {
        console.out(bytes);
    } else if (const Result written = writeWholeFile(command.output, bytes); !written) {
        console.errLine(QStringLiteral("'%1' could not be written: %2").arg(command.output, written.message()));
        return exitstatus::reported;
    }
    return statusOf(loaded);
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
    const LoadedLevel loaded = loadReporting(path, catalogue, console);
    if (!loaded.ok)
        return exitstatus::reported;
    maprenderer::MapDrawing drawing(pictures, loaded.level, command.view);
    if (const Result written = savePng(drawing, command.output); !written) {
        console.errLine(QStringLiteral("'%1' could not be written: %2").arg(command.output, written.message()));
        return exitstatus::reported;
    }
    return statusOf(loaded);
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
