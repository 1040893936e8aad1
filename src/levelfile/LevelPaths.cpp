#include "levelfile/LevelPaths.h"

#include <QDir>
#include <QFile>

namespace {

QString inLevelsFolder(const QString& fileName)
{
    const QChar sep = QDir::separator();
    return QStringLiteral("..") + sep + QStringLiteral("levels") + sep + fileName;
}

} // namespace

QString levelFilePath(const QString& name)
{
    return inLevelsFolder(name + QStringLiteral(".txt"));
}

QString levelIndexPath()
{
    return inLevelsFolder(QStringLiteral("index.txt"));
}

bool isPlainLevelName(const QString& name)
{
    for (const QChar c : name)
        if (c == u'/' || c == u'\\' || c == QChar(0))
            return false;
    return true;
}

int levelNameLength(const QString& name)
{
#ifdef Q_OS_WIN
    return static_cast<int>(name.size());
#else
    return static_cast<int>(QFile::encodeName(name).size());
#endif
}
