#include "levelfile/LevelFileSave.h"

#include <QSaveFile>

bool isPlainLevelName(const QString& name)
{
    for (const QChar c : name)
        if (c == u'/' || c == u'\\' || c == QChar(0))
            return false;
    return true;
}

QString saveLevelBytes(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    if (file.write(bytes) != bytes.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return file.errorString();
    return {};
}
