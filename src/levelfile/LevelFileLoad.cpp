#include "levelfile/LevelFileLoad.h"

#include <QFile>

LoadedLevel loadLevelFile(const QString& path, const Catalogue& catalogue, const Level& current)
{
    LoadedLevel loaded;
    QFile file(path);
    if (!file.exists()) {
        loaded.missing = true;
        loaded.reports.push_back({0, QStringLiteral("'") + path + QStringLiteral("' was not found.")});
        return loaded;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.reports.push_back({0, QStringLiteral("'%1' could not be read: %2").arg(path, file.errorString())});
        return loaded;
    }
    LevelReadResult result = readLevel(file.readAll(), catalogue, current);
    loaded.reports = std::move(result.reports);
    if (!result.ok) {
        loaded.reports.push_back(result.failure);
        return loaded;
    }
    loaded.ok = true;
    loaded.level = std::move(result.level);
    return loaded;
}
