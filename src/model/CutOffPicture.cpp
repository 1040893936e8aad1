#include "model/CutOffPicture.h"

#include <QtEndian>

namespace cutoffpicture {

namespace {

quint8 byteAt(const QByteArray& file, qsizetype at)
{
    return static_cast<quint8>(file[at]);
}

// The pixel rows lie at the offset the header gives; uncompressed, their
// length follows from the size and the depth. Compressed rows have no fixed
// length, so there the file's own stated size is the measure.
bool bmpIsCutOff(const QByteArray& file)
{
    const auto* data = reinterpret_cast<const uchar*>(file.constData());
    if (file.size() < 30)
        return true;
    const qint64 statedSize = qFromLittleEndian<quint32>(data + 2);
    const qint64 pixelsAt = qFromLittleEndian<quint32>(data + 10);
    const quint32 headerSize = qFromLittleEndian<quint32>(data + 14);
    qint64 width = 0;
    qint64 height = 0;
    qint64 depth = 0;
    quint32 compression = 0;
    if (headerSize == 12) { // the oldest header, with 16-bit sizes
        width = qFromLittleEndian<quint16>(data + 18);
        height = qFromLittleEndian<quint16>(data + 20);
        depth = qFromLittleEndian<quint16>(data + 24);
    } else {
        if (file.size() < 34)
            return true;
        width = qFromLittleEndian<qint32>(data + 18);
        height = qAbs(qint64(qFromLittleEndian<qint32>(data + 22)));
        depth = qFromLittleEndian<quint16>(data + 28);
        compression = qFromLittleEndian<quint32>(data + 30);
    }
    const bool uncompressed = compression == 0 || compression == 3 || compression == 6; // plain, bit fields, alpha bit fields
    if (!uncompressed)
        return statedSize > file.size();
    const qint64 rowBytes = (width * depth + 31) / 32 * 4;
    return pixelsAt + rowBytes * height > file.size();
}

// Walks the blocks up to the end of the first picture's data: a file that
// ends on the way is cut off.
bool gifIsCutOff(const QByteArray& file)
{
    qsizetype at = 13; // the signature and the screen's description
    if (file.size() < at)
        return true;
    const auto tableSize = [](quint8 flags) { return (flags & 0x80) ? qsizetype(3) << ((flags & 0x07) + 1) : 0; };
    at += tableSize(byteAt(file, 10));
    // Data sub-blocks: a length byte and that many bytes, up to a length of 0.
    const auto skipSubBlocks = [&file](qsizetype& pos) {
        while (pos < file.size()) {
            const quint8 length = byteAt(file, pos);
            pos += 1 + length;
            if (length == 0)
                return true;
        }
        return false;
    };
    while (at < file.size()) {
        const quint8 introducer = byteAt(file, at);
        if (introducer == 0x21) { // an extension: its label, then its data
            at += 2;
            if (!skipSubBlocks(at))
                return true;
        } else if (introducer == 0x2C) { // a picture: its description, its colours, the code size, the data
            if (at + 10 > file.size())
                return true;
            at += 10 + tableSize(byteAt(file, at + 9)) + 1;
            return !skipSubBlocks(at);
        } else {
            return false; // the end of the file, or something the decoder judges for itself
        }
    }
    return true;
}

// Walks the segments: each states its length, and the coded data after a
// start of scan runs to the next marker. The picture ends with its end
// marker; a file that ends before it is cut off.
bool jpegIsCutOff(const QByteArray& file)
{
    qsizetype at = 2; // the start marker
    while (at + 1 < file.size()) {
        if (byteAt(file, at) != 0xFF)
            return false; // not the structure this walk knows; the decoder judges
        const quint8 marker = byteAt(file, at + 1);
        if (marker == 0xFF) {
            ++at; // padding
            continue;
        }
        if (marker == 0xD9)
            return false;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
            at += 2; // markers without a length
            continue;
        }
        if (at + 4 > file.size())
            return true;
        at += 2 + qFromBigEndian<quint16>(file.constData() + at + 2);
        if (marker != 0xDA)
            continue;
        // The coded data: a 0xFF in it is followed by 0 or a restart marker.
        while (at + 1 < file.size()) {
            if (byteAt(file, at) == 0xFF) {
                const quint8 next = byteAt(file, at + 1);
                if (next != 0 && (next < 0xD0 || next > 0xD7))
                    break;
            }
            ++at;
        }
    }
    return true;
}

} // namespace

bool isCutOff(const QByteArray& file, const QByteArray& format)
{
    if (format == "bmp")
        return bmpIsCutOff(file);
    if (format == "gif")
        return gifIsCutOff(file);
    if (format == "jpeg" || format == "jpg")
        return jpegIsCutOff(file);
    return false;
}

} // namespace cutoffpicture
