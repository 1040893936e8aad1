#include "cli/Console.h"

#include "model/WholeFile.h"

#include <csignal>
#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

namespace {
// Written once this much has gathered.
constexpr qsizetype gathered = 64 * 1024;
} // namespace

Console::Console()
{
#ifdef Q_OS_WIN
    // The C runtime opens the standard streams in text mode, which would
    // write every LF of a level's CR LF as CR LF again.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
#ifdef SIGPIPE
    // A reader that goes away must make the write fail with a reason to
    // tell, not end the program without a word.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    m_out.open(stdout, QIODevice::WriteOnly);
    m_err.open(stderr, QIODevice::WriteOnly);
    // Room made once: growing and giving back the room at every write cost
    // more than the writes themselves.
    m_pendingOut.reserve(2 * gathered);
    m_pendingErr.reserve(2 * gathered);
}

Console::~Console()
{
    flush(m_out, m_pendingOut);
    flush(m_err, m_pendingErr);
}

void Console::out(const QByteArray& bytes)
{
    write(m_out, m_pendingOut, m_err, m_pendingErr, bytes);
}

void Console::outLine(const QString& line)
{
    out(line.toLocal8Bit() + '\n');
}

void Console::errLine(const QString& line)
{
    write(m_err, m_pendingErr, m_out, m_pendingOut, line.toLocal8Bit() + '\n');
}

void Console::write(QFile& stream, QByteArray& pending, QFile& other, QByteArray& otherPending, const QByteArray& bytes)
{
    flush(other, otherPending);
    pending += bytes;
    if (pending.size() >= gathered)
        flush(stream, pending);
}

QString Console::finishOut()
{
    flush(m_out, m_pendingOut);
    return m_outFailure;
}

void Console::flush(QFile& stream, QByteArray& pending)
{
    if (pending.isEmpty())
        return;
    if (&stream == &m_out && !m_outFailure.isEmpty()) {
        pending.resize(0);
        return;
    }
    const bool written = stream.write(pending) == pending.size() && stream.flush();
    if (!written && &stream == &m_out)
        m_outFailure = failureReason(stream);
    pending.resize(0); // keeps its room
}
