#include "common/TempGame.h"

#include "common/TestPaths.h"

#include <QDir>
#include <QFile>

namespace {

bool copyFolder(const QString& from, const QString& to)
{
    if (!QDir().mkpath(to))
        return false;
    const QDir source(from);
    for (const QString& name : source.entryList(QDir::Files))
        if (!QFile::copy(source.filePath(name), QDir(to).filePath(name)))
            return false;
    return true;
}

} // namespace

TempGame::TempGame(Levels levels)
    : m_previousDir(QDir::currentPath())
{
    m_valid = m_dir.isValid() && copyFolder(sampleEditorDir(), editorDir())
        && (levels == SampleLevels ? copyFolder(sampleLevelsDir(), levelsDir()) : QDir().mkpath(levelsDir()))
        && QDir::setCurrent(editorDir());
}

TempGame::~TempGame()
{
    QDir::setCurrent(m_previousDir);
}

QString TempGame::editorDir() const
{
    return m_dir.filePath(QStringLiteral("editor"));
}

QString TempGame::levelsDir() const
{
    return m_dir.filePath(QStringLiteral("levels"));
}

QString TempGame::levelPath(const QString& name) const
{
    return QDir(levelsDir()).filePath(name + QStringLiteral(".txt"));
}

void TempGame::writeFile(const QString& path, const QByteArray& bytes) const
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray TempGame::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
