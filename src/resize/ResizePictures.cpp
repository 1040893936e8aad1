#include "resize/ResizePictures.h"

#include <QPainter>

namespace resizepictures {

QString sheetFileName()
{
    return QStringLiteral("resize.bmp");
}

std::vector<QImage> cutSheet(const QImage& sheet)
{
    std::vector<QImage> pictures;
    pictures.reserve(columns * rows);
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            QImage picture(pictureSize, pictureSize, QImage::Format_RGB32);
            picture.fill(Qt::white);
            QPainter painter(&picture);
            painter.drawImage(QPoint(-blockSize * column, -blockSize * row), sheet);
            painter.end();
            pictures.push_back(picture);
        }
    }
    return pictures;
}

QImage withMagentaTransparent(const QImage& picture)
{
    QImage result = picture.convertToFormat(QImage::Format_ARGB32);
    const QRgb magenta = qRgb(255, 0, 255);
    for (int y = 0; y < result.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < result.width(); ++x) {
            if (line[x] == magenta)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return result;
}

} // namespace resizepictures
