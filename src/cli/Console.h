#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The program's standard output and standard error. Both take bytes as they
// are: on Windows nothing turns a LF into CR LF, so a level written to
// standard output keeps its own line ends. Every write is flushed at once, so
// the two streams stay in order when they go to the same place.
class Console
{
public:
    Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    void out(const QByteArray& bytes);
    // A line of text, in the system's 8-bit encoding.
    void outLine(const QString& line);
    void errLine(const QString& line);

private:
    QFile m_out;
    QFile m_err;
};
