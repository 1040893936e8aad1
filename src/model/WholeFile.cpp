#include "model/WholeFile.h"

#include <QSaveFile>

Result writeWholeFile(const QString& path, const std::function<Result(QIODevice& file)>& write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return Result::failure(file.errorString());
    if (const Result written = write(file); !written) {
        file.cancelWriting();
        return written;
    }
    if (!file.commit())
        return Result::failure(file.errorString());
    return Result::success();
}

Result writeWholeFile(const QString& path, const QByteArray& bytes)
{
    return writeWholeFile(path, [&bytes](QIODevice& file) {
        if (file.write(bytes) != bytes.size())
            return Result::failure(file.errorString());
        return Result::success();
    });
}
