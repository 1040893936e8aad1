#include "cli/Commands.h"

#include "cli/ChangeOutlines.h"
#include "cli/Console.h"
#include "cli/DiffMerge.h"
#include "cli/IndexCheck.h"
#include "cli/LevelFiles.h"
#include "cli/PngWriter.h"
#include "cli/ReportOutput.h"
#include "editor/EditorPictures.h"
#include "editor/MapRenderer.h"
#include "leveldiff/LevelDiff.h"
#include "levelfile/LevelWriter.h"
#include "model/CatalogueReader.h"
#include "model/WholeFile.h"

#include <QBuffer>

#include <algorithm>

namespace {

int check(const Command& command, const Catalogue& catalogue, Console& console)
{
    ReportOutput output(command.reportOutput, console);
    auto report = [&](const Report& r) { output.report(r); };
    QStringList levels = command.levels;
    if (command.index) {
        const IndexedLevels indexed = readIndexedLevels(command.gameFolder, report);
        levels = indexed.listed + indexed.unlisted;
    }
    qsizetype checked = 0;
    for (const QString& path : levels) {
        // A glob such as levels/*.txt takes the index in with the levels.
        if (!command.index && path != QLatin1String("-") && isLevelIndex(path)) {
            output.note({path, 0, 0, "skipped-index",
                QStringLiteral("skipped: this is the level index, not a level (check --index checks the index and the levels it lists)")});
            continue;
        }
        ++checked;
        (void)loadTelling(path, catalogue, Silent::Told, command.listAll, report);
    }
    const int status = output.reported() > 0 ? exitstatus::reported : exitstatus::clean;
    output.finish(checked, status);
    return status;
}

// Why format writes nothing: what the level as written would lose or change.
QString notWritten(const QString& path, const ToldLoad& load, const Catalogue& catalogue)
{
    auto counted = [](qsizetype n, const QString& one, const QString& many) { return n == 1 ? one : many.arg(n); };
    const QString lines = counted(load.lostLines, QStringLiteral("the line above"), QStringLiteral("the %1 lines above"));
    if (load.unknownTiles == 0)
        return QStringLiteral("%1: not written: %2 would be lost; --drop-unknown writes the level without %3.")
            .arg(path, lines, load.lostLines == 1 ? QStringLiteral("it") : QStringLiteral("them"));
    const QString tiles = counted(load.unknownTiles, QStringLiteral("the grid name above"), QStringLiteral("the %1 grid names above"))
        + QStringLiteral(" would become \"%1\"").arg(catalogue.tileName(0));
    const QString what = load.lostLines == 0 ? tiles : lines + QStringLiteral(" would be lost and ") + tiles;
    return QStringLiteral("%1: not written: %2; --drop-unknown writes the level all the same.").arg(path, what);
}

int format(const Command& command, const Catalogue& catalogue, Console& console)
{
    const QString& path = command.levels.front();
    const ToldLoad load =
        loadTelling(path, catalogue, Silent::Told, command.listAll, [&](const Report& r) { console.errLine(reportLine(r)); });
    if (!load.loaded.ok)
        return exitstatus::reported;
    // Written over its own file, a level that drops lines or changes cells
    // would lose them for good.
    if (load.lostLines + load.unknownTiles > 0 && !command.dropUnknown) {
        console.errLine(notWritten(path, load, catalogue));
        return exitstatus::reported;
    }
    if (!writeOutput(command.output, writeLevel(load.loaded.level, catalogue), console))
        return exitstatus::reported;
    return load.told > 0 ? exitstatus::reported : exitstatus::clean;
}

// Writes the map as a picture, drawn a band of rows at a time straight into
// the rows being written, so that the whole picture is never held; the
// outlines go onto each band as it is drawn.
Result writePng(maprenderer::MapDrawing& drawing, const std::vector<OutlinedCell>& outlines, QIODevice& file)
{
    const QSize size = drawing.size();
    PngWriter png(file, size);
    QImage band(size.width(), std::min(size.height(), 64), QImage::Format_RGB32);
    for (int top = 0; top < size.height(); top += band.height()) {
        drawing.draw(band, top);
        drawOutlines(band, top, outlines);
        png.writeRows(band, std::min(band.height(), size.height() - top));
    }
    if (!png.finish())
        return Result::failure(png.errorString());
    return Result::success();
}

// The file is replaced as a whole or not at all; standard output gets the
// picture once it is complete.
Result savePng(maprenderer::MapDrawing& drawing, const std::vector<OutlinedCell>& outlines, const QString& path, Console& console)
{
    if (path == QLatin1String("-")) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        const Result written = writePng(drawing, outlines, buffer);
        if (written)
            console.out(bytes);
        return written;
    }
    return writeWholeFile(path, [&](QIODevice& file) { return writePng(drawing, outlines, file); });
}

int render(const Command& command, const Catalogue& catalogue, Console& console)
{
    // The editor reads every picture before it shows anything.
    EditorPictures pictures;
    if (const Result loaded = loadEditorPictures(command.gameFolder, catalogue, pictures); !loaded) {
        console.errLine(loaded.message());
        return exitstatus::unusable;
    }
    auto tell = [&](const Report& r) { console.errLine(reportLine(r)); };
    qsizetype told = 0;
    Level before;
    if (command.renderDiff) {
        const ToldLoad old = loadTelling(command.levels.front(), catalogue, Silent::Quiet, command.listAll, tell);
        if (!old.loaded.ok)
            return exitstatus::reported;
        told += old.told;
        before = old.loaded.level;
    }
    const ToldLoad load = loadTelling(command.levels.back(), catalogue, Silent::Quiet, command.listAll, tell);
    if (!load.loaded.ok)
        return exitstatus::reported;
    told += load.told;
    std::vector<OutlinedCell> outlines;
    if (command.renderDiff)
        outlines = changedCells(leveldiff::diffLevels(before, load.loaded.level), load.loaded.level, command.view);
    maprenderer::MapDrawing drawing(pictures, load.loaded.level, command.view);
    if (const Result written = savePng(drawing, outlines, command.output, console); !written) {
        console.errLine(QStringLiteral("'%1' could not be written: %2").arg(command.output, written.message()));
        return exitstatus::reported;
    }
    return told > 0 ? exitstatus::reported : exitstatus::clean;
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
    case Command::Diff:
        return diff(command, catalogue, console);
    case Command::Merge:
        return merge(command, catalogue, console);
    }
    return exitstatus::unusable;
}
