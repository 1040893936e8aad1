#include "GifWriter.h"

#include <QByteArray>
#include <QHash>
#include <QSaveFile>
#include <QVector>

namespace {

constexpr int kMinCodeSize = 8;
constexpr int kClearCode = 1 << kMinCodeSize;
constexpr int kEndCode = kClearCode + 1;
constexpr int kCodeBits = kMinCodeSize + 1;
// Every code is a plain pixel index; a clear code before the decoder's table
// reaches 512 entries keeps every code 9 bits wide. Simple, and the sheet is tiny.
constexpr int kCodesPerClear = 250;

class BitPacker
{
public:
    void put(int code)
    {
        m_acc |= static_cast<quint32>(code) << m_bits;
        m_bits += kCodeBits;
        while (m_bits >= 8) {
            m_bytes.append(static_cast<char>(m_acc & 0xFFu));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray finish()
    {
        if (m_bits > 0)
            m_bytes.append(static_cast<char>(m_acc & 0xFFu));
        m_acc = 0;
        m_bits = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_acc = 0;
    int m_bits = 0;
};

void putWord(QByteArray& out, int value)
{
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

} // namespace

bool writeGif(const QImage& image, const QString& path)
{
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width();
    const int height = rgb.height();
    if (width <= 0 || height <= 0 || width > 0xFFFF || height > 0xFFFF)
        return false;

    QVector<QRgb> palette;
    QHash<QRgb, int> indexOf;
    QVector<int> indices;
    indices.reserve(width * height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const QRgb colour = rgb.pixel(x, y) & 0xFFFFFFu;
            auto found = indexOf.constFind(colour);
            if (found == indexOf.constEnd()) {
                if (palette.size() == 256)
                    return false;
                found = indexOf.insert(colour, static_cast<int>(palette.size()));
                palette.append(colour);
            }
            indices.append(found.value());
        }
    }
    palette.resize(256, 0);

    QByteArray out("GIF89a");
    putWord(out, width);
    putWord(out, height);
    out.append(static_cast<char>(0xF7)); // global table of 256 colours, 8 bits each
    out.append('\0'); // background colour index
    out.append('\0'); // square pixels
    for (const QRgb colour : palette) {
        out.append(static_cast<char>(qRed(colour)));
        out.append(static_cast<char>(qGreen(colour)));
        out.append(static_cast<char>(qBlue(colour)));
    }

    out.append(',');
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, width);
    putWord(out, height);
    out.append('\0'); // no local table, not interlaced

    BitPacker packer;
    for (int i = 0; i < indices.size(); ++i) {
        if (i % kCodesPerClear == 0)
            packer.put(kClearCode);
        packer.put(indices[i]);
    }
    packer.put(kEndCode);
    const QByteArray data = packer.finish();

    out.append(static_cast<char>(kMinCodeSize));
    for (qsizetype pos = 0; pos < data.size(); pos += 255) {
        const qsizetype length = qMin<qsizetype>(255, data.size() - pos);
        out.append(static_cast<char>(length));
        out.append(data.mid(pos, length));
    }
    out.append('\0'); // end of the image data
    out.append(';'); // end of the file

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(out);
    return file.commit();
}
