#include "model/PictureFile.h"

#include "model/CutOffPicture.h"
#include "model/WholeFile.h"

#include <QBuffer>
#include <QImageReader>

Result readPictureFile(const QString& path, QImage& picture)
{
    // Read as any other file is, so that a file the user may not read gives
    // the system's reason rather than the decoder's "File not found".
    QByteArray bytes;
    if (Result read = readWholeFile(path, filecaps::picture, bytes); !read)
        return read;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(pictureAllocationLimitMB);
    const QByteArray format = reader.format();
    const QImage read = reader.read();
    if (read.isNull())
        return Result::failure(QStringLiteral("cannot be read: %1").arg(reader.errorString()));
    if (cutoffpicture::isCutOff(bytes, format))
        return Result::failure(QStringLiteral("is damaged: the file ends before its picture does"));
    picture = read;
    return Result::success();
}
