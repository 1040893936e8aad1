#pragma once

#include <QFile>
#include <QProcess>
#include <QTemporaryFile>

// Keeps a folder from being written while it lives. The tests run as root,
// who writes into any folder whatever its permissions, so for root the
// folder becomes a read-only mount of itself; where neither works, reason()
// says why, for the test to skip with.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& folder)
        : m_folder(folder)
    {
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup);
#ifdef Q_OS_UNIX
        if (writable())
            m_mounted = QProcess::execute("mount", {"--bind", folder, folder}) == 0
                && QProcess::execute("mount", {"-o", "remount,ro,bind", folder}) == 0;
#endif
        if (writable())
            m_reason = "root writes into any folder, and no read-only mount could be made here";
    }
    ~ReadOnlyFolder()
    {
        if (m_mounted) // lazily: a working folder may still be inside
            QProcess::execute("umount", {"--lazy", m_folder});
        QFile::setPermissions(m_folder, QFile::permissions(m_folder) | QFile::WriteOwner);
    }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    const QString& reason() const
    {
        return m_reason;
    }

private:
    bool writable() const
    {
        QTemporaryFile probe(m_folder + "/probe-XXXXXX");
        return probe.open();
    }

    QString m_folder;
    bool m_mounted = false;
    QString m_reason;
};
