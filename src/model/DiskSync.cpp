#include "model/DiskSync.h"

#include <QDir>
#include <QFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#endif
#ifdef Q_OS_WIN
#include <windows.h>
#endif

Result syncFileToDisk(QFileDevice& file)
{
#ifdef Q_OS_UNIX
    int status = 0;
    do
        status = ::fsync(file.handle());
    while (status != 0 && errno == EINTR);
    if (status != 0)
        return Result::failure(qt_error_string(errno));
#else
    // Qt flushes the file's buffers itself when it commits the file.
    Q_UNUSED(file);
#endif
    return Result::success();
}

Result syncFolderToDisk(const QString& folder)
{
#ifdef Q_OS_UNIX
    const int handle = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return Result::failure(qt_error_string(errno));
    int status = 0;
    do
        status = ::fsync(handle);
    while (status != 0 && errno == EINTR);
    const int error = errno;
    ::close(handle);
    // Some file systems have no way to sync a folder and say so.
    if (status != 0 && error != EINVAL && error != ENOTSUP)
        return Result::failure(qt_error_string(error));
#elif defined(Q_OS_WIN)
    // NTFS writes a folder's entries through its journal; flushing the
    // folder's handle asks for that now. Where the system refuses the handle
    // the journal still records the rename in its own time.
    const std::wstring name = QDir::toNativeSeparators(folder).toStdWString();
    const HANDLE handle = CreateFileW(name.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        FlushFileBuffers(handle);
        CloseHandle(handle);
    }
#else
    Q_UNUSED(folder);
#endif
    return Result::success();
}
