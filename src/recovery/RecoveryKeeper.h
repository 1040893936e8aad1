#pragma once

#include "recovery/RecoveryCopy.h"
#include "recovery/RecoverySlot.h"

#include <QObject>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

// Keeps one editor's recovery copy in step with its unsaved work. A change
// has the copy written about two seconds later (further changes meanwhile
// go into the same copy), never while a gesture on the map is open, and
// through the safe writer on a thread of its own, so that editing never
// waits for the disk: only the level's bytes are made on the caller's
// thread. Once nothing is unsaved the copy goes.
class RecoveryKeeper : public QObject
{
    Q_OBJECT
public:
    static constexpr int delayMs = 2000;
    // How often a copy that came due during a gesture looks for its end.
    static constexpr int gestureRetryMs = 250;

    // What the keeper asks of the editor.
    struct Editor
    {
        std::function<bool()> unsaved; // the level has unsaved work
        std::function<bool()> busy; // a gesture is open: the level is half changed
        std::function<RecoveryCopy()> snapshot; // the copy of the level as it is now
    };

    RecoveryKeeper(std::unique_ptr<RecoverySlot> slot, Editor editor, QObject* parent = nullptr);
    // Waits for what was begun to reach the disk.
    ~RecoveryKeeper() override;

    // The level, or whether it is saved, changed.
    void levelChanged();
    // The designer threw the unsaved work away: the copy goes now, and
    // stays gone until the level changes again.
    void discard();
    // Brings the copy in step at once and waits until that is on the disk:
    // the window closes, and the copy stays exactly while work is unsaved.
    void settle();
    // Carries on in the place of a restored copy, letting go of its own.
    void adopt(std::unique_ptr<RecoverySlot> slot);

    QString copyPath() const { return m_slot->copyPath(); }
    // Why the last write or removal failed; empty when it did not.
    QString lastFailure() const { return m_lastFailure; }

signals:
    // A copy reached the disk, or was removed; for whoever waits on it.
    void copyChanged();
    // A copy could not be written or removed (a full disk): the first
    // failure after copies that went well, with the system's reason.
    void copyFailed(const QString& reason);

private:
    void due();
    // On the writer thread; waiting for it when `wait`.
    void write(bool wait);
    void remove(bool wait);
    void onWriter(std::function<Result()> work, bool wait);
    void finished(const Result& result);

    std::unique_ptr<RecoverySlot> m_slot;
    Editor m_editor;
    QTimer m_timer;
    QThread m_thread;
    QObject* m_writer = nullptr; // lives on m_thread: the copy's writes and removals, in order
    bool m_discarded = false;
    QString m_lastFailure;
};
