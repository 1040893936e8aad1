#include "desktop/GameFolder.h"

#include "model/CatalogueReader.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace {
const char* const gameFolderKey = "gameFolder";
}

bool holdsCatalogue(const QString& folder)
{
    return QFileInfo(QDir(folder).filePath(QString::fromLatin1(catalogueFileName))).isFile();
}

QString rememberedGameFolder()
{
    return QSettings().value(QLatin1String(gameFolderKey)).toString();
}

void rememberGameFolder(const QString& folder)
{
    QSettings settings;
    settings.setValue(QLatin1String(gameFolderKey), QDir(folder).absolutePath());
    // Written now rather than at exit, so a crash or a killed session keeps it.
    settings.sync();
}

QString findGameFolder(const QString& workingFolder, const QString& remembered)
{
    if (holdsCatalogue(workingFolder))
        return workingFolder;
    if (!remembered.isEmpty() && holdsCatalogue(remembered))
        return remembered;
    return {};
}
