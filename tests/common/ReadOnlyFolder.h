#pragma once

#include <QString>

// Keeps a folder from being written while it lives: no file can be made in
// it. The tests run as root, who writes into any folder whatever its
// permissions, so for root the folder becomes a read-only mount of itself.
// Where neither works, `reason()` says why, for the test to skip with.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(const QString& folder);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

    // Empty when the folder cannot be written.
    const QString& reason() const { return m_reason; }

private:
    bool writable() const;
    void setWritable(bool writable) const;

    QString m_folder;
    bool m_mounted = false;
    QString m_reason;
};
