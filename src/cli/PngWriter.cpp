#include "cli/PngWriter.h"

#include "model/WholeFile.h"

#include <QIODevice>
#include <QImage>
#include <QtEndian>

#include <zlib.h>

namespace {

// The best of zlib's fast levels: a map comes out about as small as Qt's PNG
// writer made it, in a fraction of the time. zlib's default level makes it a
// quarter smaller still but takes twice as long.
constexpr int compressionLevel = 3;
// Bytes of deflated data per IDAT chunk.
constexpr qsizetype chunkSize = 1 << 16;

QByteArray bigEndian(quint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToBigEndian(value, bytes.data());
    return bytes;
}

} // namespace

PngWriter::PngWriter(QIODevice& device, QSize size)
    : m_device(device)
    , m_size(size)
    , m_stream(std::make_unique<z_stream>())
    , m_row(1 + 3 * qsizetype(size.width()), '\0')
{
    if (deflateInit(m_stream.get(), compressionLevel) != Z_OK) {
        m_stream.reset();
        m_error = QStringLiteral("there is not enough memory to compress the picture");
        return;
    }
    m_deflated.resize(chunkSize);
    m_stream->next_out = reinterpret_cast<Bytef*>(m_deflated.data());
    m_stream->avail_out = static_cast<uInt>(chunkSize);

    if (const Result written = writeAll(m_device, QByteArray("\x89PNG\r\n\x1a\n", 8)); !written)
        m_error = written.message();
    QByteArray header = bigEndian(static_cast<quint32>(size.width())) + bigEndian(static_cast<quint32>(size.height()));
    header += QByteArray("\x08\x02\x00\x00\x00", 5); // 8 bits a channel, RGB, deflate, the standard filter method, no interlace
    writeChunk("IHDR", header);
}

PngWriter::~PngWriter()
{
    if (m_stream)
        deflateEnd(m_stream.get());
}

void PngWriter::writeRows(const QImage& rows, int count)
{
    for (int y = 0; y < count && m_error.isEmpty(); ++y) {
        const QRgb* pixels = reinterpret_cast<const QRgb*>(rows.constScanLine(y));
        char* out = m_row.data() + 1; // after the filter byte, 0: none
        for (int x = 0; x < m_size.width(); ++x) {
            *out++ = static_cast<char>(qRed(pixels[x]));
            *out++ = static_cast<char>(qGreen(pixels[x]));
            *out++ = static_cast<char>(qBlue(pixels[x]));
        }
        m_stream->next_in = reinterpret_cast<Bytef*>(m_row.data());
        m_stream->avail_in = static_cast<uInt>(m_row.size());
        deflateInput(Z_NO_FLUSH);
        ++m_rowsWritten;
    }
}

bool PngWriter::finish()
{
    if (m_error.isEmpty() && m_rowsWritten != m_size.height())
        m_error = QStringLiteral("the picture was left unfinished");
    if (m_error.isEmpty()) {
        m_stream->avail_in = 0;
        deflateInput(Z_FINISH);
    }
    if (m_error.isEmpty())
        writeChunk("IEND", {});
    return m_error.isEmpty();
}

// Deflates the input given, writing every chunk that fills; with Z_FINISH,
// ends the stream and writes the rest.
void PngWriter::deflateInput(int flush)
{
    for (;;) {
        const int status = deflate(m_stream.get(), flush);
        if (status != Z_OK && status != Z_STREAM_END && status != Z_BUF_ERROR) {
            m_error = QStringLiteral("the picture could not be compressed");
            return;
        }
        const bool finished = status == Z_STREAM_END;
        if (m_stream->avail_out == 0 || (finished && m_stream->avail_out < chunkSize)) {
            writeChunk("IDAT", m_deflated.first(chunkSize - m_stream->avail_out));
            m_stream->next_out = reinterpret_cast<Bytef*>(m_deflated.data());
            m_stream->avail_out = static_cast<uInt>(chunkSize);
        }
        if (!m_error.isEmpty() || finished || (flush == Z_NO_FLUSH && m_stream->avail_in == 0))
            return;
    }
}

// A chunk: the length of its data, its type, the data, and the CRC of type and data.
void PngWriter::writeChunk(const char* type, const QByteArray& data)
{
    if (!m_error.isEmpty())
        return;
    const QByteArray typed = QByteArray(type, 4) + data;
    const auto crc = static_cast<quint32>(
        crc32(crc32(0, nullptr, 0), reinterpret_cast<const Bytef*>(typed.constData()), static_cast<uInt>(typed.size())));
    const QByteArray chunk = bigEndian(static_cast<quint32>(data.size())) + typed + bigEndian(crc);
    // A disk that fills up stops a write short; writeAll gets the system's reason.
    if (const Result written = writeAll(m_device, chunk); !written)
        m_error = written.message();
}
