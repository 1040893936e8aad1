#include "levelfile/LevelFileLoad.h"

#include "model/WholeFile.h"

#include <QFileInfo>

#include <functional>

namespace {

LoadedLevel read(const QByteArray& bytes, const Catalogue& catalogue, const Level& current, const LineNotes& notes)
{
    LoadedLevel loaded;
    LevelReadResult result = readLevel(bytes, catalogue, current, notes);
    if (!result.ok) {
        loaded.reports.push_back(result.failure);
        return loaded;
    }
    loaded.ok = true;
    loaded.level = std::move(result.level);
    return loaded;
}

LoadedLevel load(const QString& path, const Catalogue& catalogue, const Level& current, const LineNotes& notes)
{
    LoadedLevel loaded;
    if (!QFileInfo::exists(path) && !isSymLinkLoop(path)) {
        loaded.missing = true;
        loaded.reports.push_back({0, QStringLiteral("'") + path + QStringLiteral("' was not found.")});
        return loaded;
    }
    QByteArray bytes;
    if (const Result readable = readWholeFile(path, filecaps::level, bytes); !readable) {
        loaded.reports.push_back({0, QStringLiteral("'%1' %2.").arg(path, readable.message())});
        return loaded;
    }
    return read(bytes, catalogue, current, notes);
}

// The lines of unknown kind as the editor lists them: the first `listed`, then a count.
LoadedLevel listing(const std::function<LoadedLevel(const LineNotes&)>& reading, qsizetype listed)
{
    std::vector<LevelFileReport> unrecognised;
    qsizetype unlisted = 0;
    std::vector<LevelFileReport> unsaved;
    LoadedLevel loaded = reading([&](LineNote note, int line, int, const LazyMessage& message) {
        if (note == LineNote::UnknownTile)
            return; // the editor reads such a cell as the first kind, without a word
        if (note == LineNote::Unsaved)
            unsaved.push_back({line, message()});
        else if (static_cast<qsizetype>(unrecognised.size()) < listed)
            unrecognised.push_back({line, message()});
        else
            ++unlisted;
    });
    // The lines of unknown kind come before what ended the read.
    unrecognised.insert(unrecognised.end(), loaded.reports.begin(), loaded.reports.end());
    loaded.reports = std::move(unrecognised);
    loaded.unlisted = unlisted;
    loaded.unsaved = std::move(unsaved);
    return loaded;
}

} // namespace

LoadedLevel loadLevelFile(const QString& path, const Catalogue& catalogue, const Level& current, qsizetype listed)
{
    return listing([&](const LineNotes& notes) { return load(path, catalogue, current, notes); }, listed);
}

LoadedLevel loadLevelBytes(const QByteArray& bytes, const Catalogue& catalogue, const Level& current, qsizetype listed)
{
    return listing([&](const LineNotes& notes) { return read(bytes, catalogue, current, notes); }, listed);
}

LoadedLevel loadLevelFile(const QString& path, const Catalogue& catalogue, const Level& current, const LineNotes& notes)
{
    return load(path, catalogue, current, notes);
}

LoadedLevel loadLevelBytes(const QByteArray& bytes, const Catalogue& catalogue, const Level& current, const LineNotes& notes)
{
    return read(bytes, catalogue, current, notes);
}
