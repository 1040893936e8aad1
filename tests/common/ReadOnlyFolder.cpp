#include "common/ReadOnlyFolder.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryFile>

ReadOnlyFolder::ReadOnlyFolder(const QString& folder)
    : m_folder(folder)
{
#ifdef Q_OS_UNIX
    setWritable(false);
    if (writable())
        m_mounted = QProcess::execute(QStringLiteral("mount"), {QStringLiteral("--bind"), folder, folder}) == 0
            && QProcess::execute(
                   QStringLiteral("mount"), {QStringLiteral("-o"), QStringLiteral("remount,ro,bind"), folder})
                == 0;
    if (writable())
        m_reason = QStringLiteral("root writes into any folder, and no read-only mount could be made here");
#else
    m_reason = QStringLiteral("only Unix has folder permissions that keep a file from being made");
#endif
}

ReadOnlyFolder::~ReadOnlyFolder()
{
    // Lazily: a working folder may still be inside.
    if (m_mounted)
        QProcess::execute(QStringLiteral("umount"), {QStringLiteral("--lazy"), m_folder});
    setWritable(true);
}

bool ReadOnlyFolder::writable() const
{
    QTemporaryFile probe(m_folder + QStringLiteral("/probe-XXXXXX"));
    return probe.open();
}

void ReadOnlyFolder::setWritable(bool writable) const
{
    QFile::Permissions permissions = QFile::permissions(m_folder) | QFile::WriteOwner | QFile::WriteUser;
    if (!writable)
        permissions &= ~(QFile::WriteOwner | QFile::WriteUser | QFile::WriteGroup | QFile::WriteOther);
    QFile::setPermissions(m_folder, permissions);
}
