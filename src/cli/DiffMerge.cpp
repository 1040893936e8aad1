#include "cli/DiffMerge.h"

#include "cli/Console.h"
#include "cli/LevelFiles.h"
#include "leveldiff/DiffWords.h"
#include "leveldiff/LevelDiff.h"
#include "leveldiff/LevelMerge.h"
#include "levelfile/LevelWriter.h"

#include <optional>

namespace {

// The arguments of git's external diff: path old-file old-hex old-mode
// new-file new-hex new-mode. A side that does not exist has the mode ".".
enum GitArgument { GitPath, OldFile, OldHex, OldMode, NewFile, NewHex, NewMode };

// A level loaded for comparing, with every report told on standard error
// under `name`. No value when the file could not be read as a level.
std::optional<Level> loadToCompare(
    const QString& path, const QString& name, const Catalogue& catalogue, const Command& command, Console& console, qsizetype& told)
{
    ToldLoad load = loadTelling(path, catalogue, Silent::Told, command.listAll, [&](Report report) {
        report.file = name;
        console.errLine(reportLine(report));
    });
    told += load.told;
    if (!load.loaded.ok)
        return std::nullopt;
    return std::move(load.loaded.level);
}

QString summary(const Level& level)
{
    return QStringLiteral("%1 x %2, %3 %4")
        .arg(level.levelWidth)
        .arg(level.levelHeight)
        .arg(level.entityCount)
        .arg(level.entityCount == 1 ? QStringLiteral("entity") : QStringLiteral("entities"));
}

// A data text or a name may hold line breaks; each change stays on one line.
QString oneLine(QString line)
{
    line.replace(u'\r', QStringLiteral("\\r"));
    line.replace(u'\n', QStringLiteral("\\n"));
    return line;
}

int gitDiff(const Command& command, const Catalogue& catalogue, Console& console)
{
    const QStringList& args = command.levels;
    const QString& path = args[GitPath];
    const bool added = args[OldMode] == QLatin1String(".");
    const bool deleted = args[NewMode] == QLatin1String(".");
    qsizetype told = 0;
    std::optional<Level> before;
    std::optional<Level> after;
    if (!added)
        before = loadToCompare(args[OldFile], QStringLiteral("a/") + path, catalogue, command, console, told);
    if (!deleted)
        after = loadToCompare(args[NewFile], QStringLiteral("b/") + path, catalogue, command, console, told);
    if ((!added && !before) || (!deleted && !after))
        return exitstatus::unusable;

    console.outLine(QStringLiteral("diff --tilewright a/%1 b/%1").arg(path));
    if (added) {
        console.outLine(QStringLiteral("new level, ") + summary(*after));
        return exitstatus::clean;
    }
    if (deleted) {
        console.outLine(QStringLiteral("deleted level, ") + summary(*before));
        return exitstatus::clean;
    }
    const leveldiff::LevelDiff diff = leveldiff::diffLevels(*before, *after);
    if (diff.isEmpty())
        console.outLine(QStringLiteral("the same level; only the way the file is written differs"));
    const QStringList lines = command.counts ? leveldiff::describeDiffCounts(diff) : leveldiff::describeDiff(diff, catalogue);
    for (const QString& line : lines)
        console.outLine(oneLine(line));
    return exitstatus::clean;
}

} // namespace

int diff(const Command& command, const Catalogue& catalogue, Console& console)
{
    if (command.gitDiff)
        return gitDiff(command, catalogue, console);
    qsizetype told = 0;
    const QString& oldPath = command.levels[0];
    const QString& newPath = command.levels[1];
    const std::optional<Level> before = loadToCompare(oldPath, oldPath, catalogue, command, console, told);
    const std::optional<Level> after = loadToCompare(newPath, newPath, catalogue, command, console, told);
    if (!before || !after)
        return exitstatus::unusable;
    const leveldiff::LevelDiff diff = leveldiff::diffLevels(*before, *after);
    const QStringList lines = command.counts ? leveldiff::describeDiffCounts(diff) : leveldiff::describeDiff(diff, catalogue);
    for (const QString& line : lines)
        console.outLine(oneLine(line));
    // Lines the reader passed over are in neither level: "equal" could not be promised.
    if (told > 0)
        return exitstatus::unusable;
    return diff.isEmpty() ? exitstatus::clean : exitstatus::reported;
}

int merge(const Command& command, const Catalogue& catalogue, Console& console)
{
    const QString label = command.label.isEmpty() ? command.levels[1] : command.label;
    const char* const sides[] = {"base", "ours", "theirs"};
    qsizetype told = 0;
    std::optional<Level> levels[3];
    for (int side = 0; side < 3; ++side)
        levels[side] = loadToCompare(
            command.levels[side], QStringLiteral("%1 (%2)").arg(label, QLatin1String(sides[side])), catalogue, command, console, told);
    if (!levels[0] || !levels[1] || !levels[2]) {
        console.errLine(QStringLiteral("%1: not merged: a level could not be read; nothing was written.").arg(label));
        return exitstatus::unusable;
    }
    // The merged level is written as Save writes it, which would drop those lines.
    if (told > 0) {
        console.errLine(
            QStringLiteral("%1: not merged: the lines above would be lost or changed in the merged level; nothing was "
                           "written (format --drop-unknown writes a level without them).")
                .arg(label));
        return exitstatus::unusable;
    }
    const leveldiff::MergeResult merged = leveldiff::mergeLevels(*levels[0], *levels[1], *levels[2]);
    if (!writeOutput(command.output, writeLevel(merged.level, catalogue), console))
        return exitstatus::unusable;
    for (const leveldiff::Conflict& conflict : merged.conflicts)
        console.errLine(oneLine(QStringLiteral("%1: conflict: %2").arg(label, leveldiff::describeConflict(conflict, merged, catalogue))));
    if (merged.conflicts.empty())
        return exitstatus::clean;
    console.errLine(
        QStringLiteral("%1: %2; the merged level holds ours there and every other change of theirs.")
            .arg(label,
                merged.conflicts.size() == 1 ? QStringLiteral("1 conflict") : QStringLiteral("%1 conflicts").arg(merged.conflicts.size())));
    return exitstatus::reported;
}
