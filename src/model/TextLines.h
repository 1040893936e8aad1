#pragma once

#include <QByteArray>
#include <QLatin1StringView>
#include <QString>

// Splits 8-bit text into lines. A line ends at CR LF or at a lone CR; a lone
// LF is an ordinary character. Bytes become characters one to one (Latin-1),
// so every name and data text survives a read and a write unchanged.
class LineReader
{
public:
    explicit LineReader(QByteArray data);

    bool atEnd() const;
    QString readLine();
    // The same line without copying it: valid while the reader lives.
    QLatin1StringView readLineView();
    // Lines read so far; the number of the line just read.
    int lineNumber() const { return m_lineNumber; }

private:
    QByteArray m_data;
    qsizetype m_pos = 0;
    int m_lineNumber = 0;
};

// The bytes of a text as the files hold them: one byte per character.
QByteArray toFileBytes(const QString& text);
