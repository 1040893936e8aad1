#pragma once

#include <QString>
#include <QTemporaryDir>

// A game folder of a test's own in a temporary folder: `editor` holds a copy
// of the sample game's catalogue and pictures and is the working folder while
// the object lives; `levels` beside it is empty or holds copies of the sample
// levels. Nothing is ever written into the source tree.
class TempGame
{
public:
    enum Levels { NoLevels, SampleLevels };

    explicit TempGame(Levels levels = NoLevels);
    ~TempGame();
    TempGame(const TempGame&) = delete;
    TempGame& operator=(const TempGame&) = delete;

    bool isValid() const { return m_valid; }
    QString editorDir() const;
    QString levelsDir() const;
    // The path of level `name` in the levels folder.
    QString levelPath(const QString& name) const;

    void writeFile(const QString& path, const QByteArray& bytes) const;
    static QByteArray readFile(const QString& path);

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    bool m_valid = false;
};
