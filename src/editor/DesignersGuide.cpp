#include "editor/DesignersGuide.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The program lies in bin/ of an installation and in src/ (a test in
// tests/<folder>/) of a build tree.
constexpr int levelsUp = 3;

} // namespace

QString findDesignersGuide(const QString& programFolder)
{
    for (const char* page : {"designers-guide.html", "designers-guide.md"}) {
        QDir folder(programFolder);
        for (int up = 0; up <= levelsUp; ++up) {
            for (const char* docs : {"docs", "share/doc/tilewright/docs"}) {
                const QString path = folder.filePath(QString::fromLatin1(docs) + QLatin1Char('/') + QString::fromLatin1(page));
                if (QFileInfo(path).isFile())
                    return QDir::cleanPath(path);
            }
            if (!folder.cdUp())
                break;
        }
    }
    return {};
}
