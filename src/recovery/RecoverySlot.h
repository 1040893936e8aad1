#pragma once

#include "model/Result.h"

#include <QString>

#include <memory>
#include <vector>

class QLockFile;

// Where the recovery copies live: the folder "recovery" in the user's data
// folder (QStandardPaths::AppDataLocation).
QString recoveryFolder();

// The place of one recovery copy, and the lock (QLockFile) that makes it
// one editor's own. Every running editor holds the lock of its own copy, so
// that no other editor offers that copy to restore; the lock of an editor
// that was killed is stale, and the next editor takes it over. The copy
// file itself exists only while there is unsaved work.
class RecoverySlot
{
public:
    // A place of this editor's own in `folder`, locked. None when the folder
    // cannot be made or written; `problem` then says why.
    static std::unique_ptr<RecoverySlot> makeNew(const QString& folder, QString* problem = nullptr);
    // The copies in `folder` that no running editor holds, newest first:
    // those of editors that ended with unsaved work. Each comes locked for
    // this editor; the others are left to whoever holds them.
    static std::vector<std::unique_ptr<RecoverySlot>> claimLeftBehind(const QString& folder);

    ~RecoverySlot(); // lets go of the lock; the copy stays
    RecoverySlot(const RecoverySlot&) = delete;
    RecoverySlot& operator=(const RecoverySlot&) = delete;

    const QString& copyPath() const { return m_copyPath; }

    // Renames a damaged copy to its name with ".damaged" added, where no
    // editor offers it again but the designer still finds it; the name it
    // then has.
    Result keepAside(QString& keptAs);

private:
    RecoverySlot(QString copyPath, std::unique_ptr<QLockFile> lock);

    QString m_copyPath;
    std::unique_ptr<QLockFile> m_lock;
};
