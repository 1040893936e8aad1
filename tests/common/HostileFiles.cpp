#include "common/HostileFiles.h"

#include <QFile>
#include <QFileInfo>

namespace hostile {

bool makeFifo(const QString& path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return false;
#else
    return QProcess::execute(QStringLiteral("mkfifo"), {path}) == 0 && QFileInfo::exists(path);
#endif
}

bool makeLink(const QString& path, const QString& target)
{
#ifdef Q_OS_WIN
    // Windows makes a shortcut, a file of its own, not a link.
    Q_UNUSED(path);
    Q_UNUSED(target);
    return false;
#else
    return QFileInfo::exists(target) && QFile::link(target, path);
#endif
}

bool makeLinkLoop(const QString& path)
{
#ifdef Q_OS_WIN
    Q_UNUSED(path);
    return false;
#else
    return QFile::link(path, path);
#endif
}

FifoHolder::FifoHolder(const QString& path, int seconds)
{
    // Opened for reading and writing, the pipe opens at once and stays open.
    m_process.start(
        QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("exec 3<>\"$0\"; sleep %1").arg(seconds), path});
    m_process.waitForStarted();
}

FifoHolder::~FifoHolder()
{
    m_process.kill();
    m_process.waitForFinished();
}

} // namespace hostile
