#pragma once

#include <QProcess>
#include <QString>

// Files that are not regular files, for the tests of the readers' refusals.
// A reader that wrongly opens one must still come back within seconds, so
// that a fault fails the test instead of stalling it.
namespace hostile {

// Makes a named pipe at `path`; false where the system has none (Windows),
// for the test to skip.
bool makeFifo(const QString& path);

// Makes `path` a symbolic link to `target` (a device such as /dev/zero);
// false when the system cannot (Windows).
bool makeLink(const QString& path, const QString& target);

// Makes `path` a symbolic link to itself, a loop; false when the system
// cannot (Windows).
bool makeLinkLoop(const QString& path);

// Keeps a named pipe open for writing, without writing, for a few seconds:
// a reader that wrongly opens it neither waits for a writer nor reads
// forever, but meets the pipe's end when the holder lets go.
class FifoHolder
{
public:
    explicit FifoHolder(const QString& path, int seconds = 10);
    ~FifoHolder();
    FifoHolder(const FifoHolder&) = delete;
    FifoHolder& operator=(const FifoHolder&) = delete;

private:
    QProcess m_process;
};

} // namespace hostile
