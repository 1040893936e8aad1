#include "cli/IndexCheck.h"

#include "levelfile/LevelPaths.h"
#include "model/Excerpt.h"
#include "model/TextLines.h"
#include "model/WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>

namespace {

// File names match as the system matches them.
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
constexpr Qt::CaseSensitivity fileNameCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity fileNameCase = Qt::CaseSensitive;
#endif

const QString indexFileName = QStringLiteral("index.txt");
const QString levelSuffix = QStringLiteral(".txt");

QString fileKey(const QString& name)
{
    return fileNameCase == Qt::CaseInsensitive ? name.toCaseFolded() : name;
}

QString quoted(const QString& name)
{
    return u'"' + excerpt(name) + u'"';
}

} // namespace

bool isLevelIndex(const QString& path)
{
    return QFileInfo(path).fileName().compare(indexFileName, fileNameCase) == 0;
}

IndexedLevels readIndexedLevels(const QString& gameFolder, const std::function<void(const Report&)>& tell)
{
    IndexedLevels found;
    // The levels folder lies beside the game folder, as the editor finds it.
    const QString levelsFolder = QDir::cleanPath(gameFolder + QStringLiteral("/../levels"));
    auto levelPath = [&](const QString& fileName) { return QDir::cleanPath(levelsFolder + u'/' + fileName); };
    found.indexPath = levelPath(indexFileName);
    auto tellIndex = [&](int line, const char* kind, const QString& message) { tell({found.indexPath, line, 0, kind, message}); };

    QByteArray bytes;
    if (!QFileInfo::exists(found.indexPath))
        tellIndex(0, "not-found", QStringLiteral("'%1' was not found.").arg(found.indexPath));
    else if (const Result read = readWholeFile(found.indexPath, filecaps::levelIndex, bytes); !read)
        tellIndex(0, "unreadable", QStringLiteral("'%1' %2.").arg(found.indexPath, read.message()));

    QHash<QString, int> listedOn; // file name key -> the line that lists it first
    LineReader lines(bytes);
    while (!lines.atEnd()) {
        QString line = lines.readLine();
        const int number = lines.lineNumber();
        // A line feed is part of a name to the editor; here it is taken for
        // the line break it was meant as, so that the levels still get checked.
        if (line.contains(u'\n')) {
            tellIndex(number, "index-line",
                QStringLiteral("the line holds a line feed: the index's lines must end in CR LF (a file written on Linux or macOS may "
                               "need converting)"));
        }
        for (const QString& name : line.split(u'\n')) {
            if (name.isEmpty()) {
                tellIndex(number, "index-line", QStringLiteral("an empty line; the index holds one level name per line"));
                continue;
            }
            if (!isPlainLevelName(name)) {
                tellIndex(number, "index-line", QStringLiteral("%1 is no level name: a name holds no folder separator").arg(quoted(name)));
                continue;
            }
            const QString fileName = name + levelSuffix;
            // Such a level's file would be the index itself.
            if (isLevelIndex(fileName)) {
                tellIndex(
                    number, "index-line", QStringLiteral("%1 is no level name: its file would be the index itself").arg(quoted(name)));
                continue;
            }
            if (const auto first = listedOn.constFind(fileKey(fileName)); first != listedOn.constEnd()) {
                tellIndex(number, "index-line", QStringLiteral("%1 is listed again; line %2 lists it first").arg(quoted(name)).arg(*first));
                continue;
            }
            listedOn.insert(fileKey(fileName), number);
            const QString path = levelPath(fileName);
            if (!QFileInfo::exists(path)) {
                tellIndex(number, "missing-level", QStringLiteral("%1 is listed, but '%2' was not found.").arg(quoted(name), path));
                continue;
            }
            found.listed.append(path);
        }
    }

    const QStringList files = QDir(levelsFolder).entryList(QDir::Files, QDir::Name);
    for (const QString& fileName : files) {
        if (!fileName.endsWith(levelSuffix, fileNameCase) || isLevelIndex(fileName) || listedOn.contains(fileKey(fileName)))
            continue;
        const QString path = levelPath(fileName);
        found.unlisted.append(path);
        tell({path, 0, 0, "unlisted-level", QStringLiteral("a level file that the index '%1' does not list").arg(found.indexPath)});
    }
    return found;
}
