#include "model/TextLines.h"

LineReader::LineReader(QByteArray data)
    : m_data(std::move(data))
{
}

bool LineReader::atEnd() const
{
    return m_pos >= m_data.size();
}

QString LineReader::readLine()
{
    return QString(readLineView());
}

QLatin1StringView LineReader::readLineView()
{
    qsizetype end = m_data.indexOf('\r', m_pos);
    if (end < 0)
        end = m_data.size();
    const QLatin1StringView line(m_data.constData() + m_pos, end - m_pos);
    m_pos = end;
    if (m_pos < m_data.size()) {
        ++m_pos; // the CR
        if (m_pos < m_data.size() && m_data.at(m_pos) == '\n')
            ++m_pos;
    }
    ++m_lineNumber;
    return line;
}

QByteArray toFileBytes(const QString& text)
{
    return text.toLatin1();
}
