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
    return QFileInfo::exists(target) && QFile::link(target, path);
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
