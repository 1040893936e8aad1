#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// The program's standard output and standard error. Both take bytes as they
// are: on Windows nothing turns a LF into CR LF, so a level written to
// standard output keeps its own line ends. A level with a million reports
// would take a write each; lines are gathered instead and written when a
// fair amount has come, when the other stream is written to (so the two stay
// in order when they go to the same place) and at the end.
//
// Standard output is checked: a full disk, /dev/full or a reader that went
// away (a closed pipe) make it fail, and from then on what is written to it
// is dropped. Standard error has no one to tell of its own failures.
class Console
{
public:
    Console();
    ~Console();
    Console(const Console&) = delete;
    Console& operator=(const Console&) = delete;

    void out(const QByteArray& bytes);
    // A line of text, in the system's 8-bit encoding.
    void outLine(const QString& line);
    void errLine(const QString& line);

    // Writes out everything gathered. Empty when standard output took every
    // byte so far, else the system's reason why it did not.
    QString finishOut();

private:
    void write(QFile& stream, QByteArray& pending, QFile& other, QByteArray& otherPending, const QByteArray& bytes);
    void flush(QFile& stream, QByteArray& pending);

    QFile m_out;
    QFile m_err;
    QByteArray m_pendingOut;
    QByteArray m_pendingErr;
    QString m_outFailure;
};
