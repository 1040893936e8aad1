#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <memory>

class QIODevice;
class QImage;
struct z_stream_s;

// Writes a PNG picture a few rows at a time, as they are drawn, so that the
// whole picture is never held: 8-bit RGB, rows left unfiltered and deflated
// by zlib. A map repeats its cells along every row, which deflate finds
// without any filter; trying the filters on every row would cost far more
// than it saves.
class PngWriter
{
public:
    // Writes the signature and the header of a picture of that size.
    PngWriter(QIODevice& device, QSize size);
    ~PngWriter();

    // Adds the first `count` rows of `rows`, 32-bit RGB as wide as the
    // picture, below the rows written so far.
    void writeRows(const QImage& rows, int count);

    // Ends the picture once all its rows are written. False when anything
    // went wrong along the way; errorString() then says what.
    bool finish();
    QString errorString() const { return m_error; }

private:
    void deflateInput(int flush);
    void writeChunk(const char* type, const QByteArray& data);

    QIODevice& m_device;
    QSize m_size;
    int m_rowsWritten = 0;
    std::unique_ptr<z_stream_s> m_stream;
    QByteArray m_row; // a row as the file holds it: its filter byte, then R, G, B for each pixel
    QByteArray m_deflated; // output waiting to fill an IDAT chunk
    QString m_error;
};
