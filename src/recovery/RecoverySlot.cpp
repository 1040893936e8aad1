#include "recovery/RecoverySlot.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QUuid>

namespace {

const QString copySuffix = QStringLiteral(".recovery");

// A lock held for as long as the editor runs: never stale by its age, only
// when the process that took it has gone.
std::unique_ptr<QLockFile> tryToLock(const QString& copyPath)
{
    auto lock = std::make_unique<QLockFile>(copyPath + QStringLiteral(".lock"));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

} // namespace

QString recoveryFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("recovery"));
}

RecoverySlot::RecoverySlot(QString copyPath, std::unique_ptr<QLockFile> lock)
    : m_copyPath(std::move(copyPath))
    , m_lock(std::move(lock))
{
}

RecoverySlot::~RecoverySlot() = default;

std::unique_ptr<RecoverySlot> RecoverySlot::makeNew(const QString& folder, QString* problem)
{
    if (!QDir().mkpath(folder)) {
        if (problem)
            *problem = QStringLiteral("the folder \"%1\" could not be made").arg(QDir::toNativeSeparators(folder));
        return nullptr;
    }
    const QString path = QDir(folder).filePath(QUuid::createUuid().toString(QUuid::WithoutBraces) + copySuffix);
    std::unique_ptr<QLockFile> lock = tryToLock(path);
    if (!lock) {
        if (problem)
            *problem = QStringLiteral("no lock could be made in the folder \"%1\"").arg(QDir::toNativeSeparators(folder));
        return nullptr;
    }
    return std::unique_ptr<RecoverySlot>(new RecoverySlot(path, std::move(lock)));
}

std::vector<std::unique_ptr<RecoverySlot>> RecoverySlot::claimLeftBehind(const QString& folder)
{
    std::vector<std::unique_ptr<RecoverySlot>> claimed;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QLatin1Char('*') + copySuffix}, QDir::Files, QDir::Time)) {
        const QString path = dir.filePath(name);
        std::unique_ptr<QLockFile> lock = tryToLock(path);
        // The editor that held it may have removed it meanwhile.
        if (lock && QFileInfo::exists(path))
            claimed.push_back(std::unique_ptr<RecoverySlot>(new RecoverySlot(path, std::move(lock))));
    }
    return claimed;
}

Result RecoverySlot::keepAside(QString& keptAs)
{
    const QString aside = m_copyPath + QStringLiteral(".damaged");
    QFile::remove(aside);
    QFile copy(m_copyPath);
    if (!copy.rename(aside))
        return Result::failure(copy.errorString());
    keptAs = aside;
    return Result::success();
}
