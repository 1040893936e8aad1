#include "cli/LevelFileLoad.h"

#include <QFile>

LoadedLevel loadLevelFile(const QString& path, const Catalogue& catalogue)
{
    LoadedLevel loaded;
    QFile file(path);
    if (!file.exists()) {
        loaded.reports.push_back({0, QStringLiteral("'") + path + QStringLiteral("' was not found.")});
        return loaded;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.reports.push_back({0, QStringLiteral("'%1' could not be read: %2").arg(path, file.errorString())});
        return loaded;
    }
    // The player start of the level before the load stays when the file has
    // no player line; before any load the editor holds a new level.
    Level current;
    levelops::makeNewLevel(current);
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

QString reportLine(const QString& path, const LevelFileReport& report)
{
    QString message = report.message;
    message.replace(u'\r', QStringLiteral("\\r"));
    message.replace(u'\n', QStringLiteral("\\n"));
    if (report.line == 0)
        return path + QStringLiteral(": ") + message;
    return QStringLiteral("%1:%2: %3").arg(path, QString::number(report.line), message);
}
