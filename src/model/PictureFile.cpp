#include "model/PictureFile.h"

#include "model/WholeFile.h"

#include <QImageReader>

Result readPictureFile(const QString& path, QImage& picture)
{
    if (Result usable = checkWholeFile(path, filecaps::picture); !usable)
        return usable;
    QImageReader reader(path);
    reader.setAllocationLimit(pictureAllocationLimitMB);
    const QImage read = reader.read();
    if (read.isNull())
        return Result::failure(QStringLiteral("cannot be read: %1").arg(reader.errorString()));
    picture = read;
    return Result::success();
}
