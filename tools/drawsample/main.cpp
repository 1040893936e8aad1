// Draws the sample game's pictures and writes its catalogue into the folder
// given on the command line (normally sample/editor of the source tree), or
// with --icon the program's icon (normally into src/desktop/icons).

#include "CatalogueText.h"
#include "EntityArt.h"
#include "GifWriter.h"
#include "IconArt.h"
#include "ResizeArt.h"
#include "TileArt.h"

#include <QDir>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <cstdio>

namespace {

bool saveBmp(const QImage& image, const QDir& folder, const QString& name)
{
    // RGB32 makes Qt write a plain 24-bit BMP that any reader takes.
    return image.convertToFormat(QImage::Format_RGB32).save(folder.filePath(name), "BMP");
}

bool saveBytes(const QByteArray& bytes, const QDir& folder, const QString& name)
{
    QSaveFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(bytes);
    return file.commit();
}

QStringList drawSample(const QDir& folder)
{
    QStringList failed;
    if (!saveBytes(catalogueText(), folder, QStringLiteral("Elements.txt")))
        failed << QStringLiteral("Elements.txt");
    if (!writeGif(drawTileSheet(), folder.filePath(QStringLiteral("tiles.gif"))))
        failed << QStringLiteral("tiles.gif");
    if (!saveBmp(drawPlayer(), folder, QStringLiteral("player.bmp")))
        failed << QStringLiteral("player.bmp");
    for (const EntityKind& kind : entityKinds()) {
        const QImage figure = drawFigure(kind);
        if (!saveBmp(silhouettePicture(figure), folder, andFileName(kind)))
            failed << andFileName(kind);
        if (!saveBmp(colourPicture(figure), folder, orFileName(kind)))
            failed << orFileName(kind);
    }
    if (!saveBmp(drawResizeSheet(), folder, QStringLiteral("resize.bmp")))
        failed << QStringLiteral("resize.bmp");
    return failed;
}

// The sizes the desktop's icon theme asks for most; the SVG serves the rest.
QStringList drawIconFiles(const QDir& folder)
{
    QStringList failed;
    for (int size : {48, 128, 256}) {
        const QString name = QStringLiteral("tilewright-%1.png").arg(size);
        if (!drawIcon(size).save(folder.filePath(name), "PNG"))
            failed << name;
    }
    if (!saveBytes(iconSvg(), folder, QStringLiteral("tilewright.svg")))
        failed << QStringLiteral("tilewright.svg");
    return failed;
}

} // namespace

int main(int argc, char* argv[])
{
    QTextStream err(stderr);
    const bool icon = argc == 3 && qstrcmp(argv[1], "--icon") == 0;
    if (argc != 2 && !icon) {
        err << "usage: tilewright-drawsample <folder>\n"
               "       tilewright-drawsample --icon <folder>\n"
               "Draws the sample pictures and Elements.txt, or the program's icon, into <folder>.\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[argc - 1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        err << "cannot create " << folder.path() << "\n";
        return 1;
    }

    const QStringList failed = icon ? drawIconFiles(folder) : drawSample(folder);
    if (!failed.isEmpty()) {
        err << "could not write: " << failed.join(QStringLiteral(", ")) << "\n";
        return 1;
    }
    return 0;
}
