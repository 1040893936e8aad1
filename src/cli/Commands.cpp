#include "cli/Commands.h"

#include "cli/Console.h"
#include "cli/LevelFileLoad.h"
#include "editor/EditorPictures.h"
#include "editor/MapRenderer.h"
#include "levelfile/LevelFileSave.h"
#include "levelfile/LevelWriter.h"
#include "model/CatalogueReader.h"

#include <QImageWriter>
#include <QSaveFile>

namespace {

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
    } else if (const QString error = saveLevelBytes(command.output, bytes); !error.isEmpty()) {
        console.errLine(QStringLiteral("'%1' could not be written: %2").arg(command.output, error));
        return exitstatus::reported;
    }
    return statusOf(loaded);
}

// Writes the picture as a whole or not at all.
QString savePng(const QImage& image, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    QImageWriter writer(&file, "png");
    if (!writer.write(image)) {
        file.cancelWriting();
        return writer.errorString();
    }
    if (!file.commit())
        return file.errorString();
    return {};
}

int render(const Command& command, const Catalogue& catalogue, Console& console)
{
    // The editor reads every picture before it shows anything.
    EditorPictures pictures;
    if (const QString error = loadEditorPictures(command.gameFolder, catalogue, pictures); !error.isEmpty()) {
        console.errLine(error);
        return exitstatus::unusable;
    }
    const QString& path = command.levels.front();
    const LoadedLevel loaded = loadReporting(path, catalogue, console);
    if (!loaded.ok)
        return exitstatus::reported;
    const QImage image = maprenderer::renderLevel(pictures, loaded.level, command.view);
    if (const QString error = savePng(image, command.output); !error.isEmpty()) {
        console.errLine(QStringLiteral("'%1' could not be written: %2").arg(command.output, error));
        return exitstatus::reported;
    }
    return statusOf(loaded);
}

} // namespace

int runCommand(const Command& command, Console& console)
{
    Catalogue catalogue;
    if (const QString error = loadCatalogue(command.gameFolder, catalogue); !error.isEmpty()) {
        console.errLine(error);
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
