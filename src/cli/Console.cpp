#include "cli/Console.h"

#include <cstdio>

#ifdef Q_OS_WIN
#include <fcntl.h>
#include <io.h>
#endif

Console::Console()
{
#ifdef Q_OS_WIN
    // The C runtime opens the standard streams in text mode, which would
    // write every LF of a level's CR LF as CR LF again.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    m_out.open(stdout, QIODevice::WriteOnly);
    m_err.open(stderr, QIODevice::WriteOnly);
}

void Console::out(const QByteArray& bytes)
{
    m_out.write(bytes);
    m_out.flush();
}

void Console::outLine(const QString& line)
{
    out(line.toLocal8Bit() + '\n');
}

void Console::errLine(const QString& line)
{
    m_err.write(line.toLocal8Bit() + '\n');
    m_err.flush();
}
