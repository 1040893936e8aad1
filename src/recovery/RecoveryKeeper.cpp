#include "recovery/RecoveryKeeper.h"

#include <QFile>

RecoveryKeeper::RecoveryKeeper(std::unique_ptr<RecoverySlot> slot, Editor editor, QObject* parent)
    : QObject(parent)
    , m_slot(std::move(slot))
    , m_editor(std::move(editor))
    , m_writer(new QObject)
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryKeeper::due);
    m_writer->moveToThread(&m_thread);
    connect(&m_thread, &QThread::finished, m_writer, &QObject::deleteLater);
    m_thread.start();
}

RecoveryKeeper::~RecoveryKeeper()
{
    m_thread.quit();
    m_thread.wait();
}

void RecoveryKeeper::levelChanged()
{
    m_discarded = false;
    if (!m_editor.unsaved()) {
        m_timer.stop();
        remove(Qt::QueuedConnection);
        return;
    }
    if (!m_timer.isActive())
        m_timer.start(delayMs);
}

void RecoveryKeeper::discard()
{
    m_discarded = true;
    m_timer.stop();
    remove(Qt::BlockingQueuedConnection);
}

void RecoveryKeeper::settle()
{
    m_timer.stop();
    if (m_editor.unsaved() && !m_discarded)
        write(Qt::BlockingQueuedConnection);
    else
        remove(Qt::BlockingQueuedConnection);
}

void RecoveryKeeper::adopt(std::unique_ptr<RecoverySlot> slot)
{
    remove(Qt::BlockingQueuedConnection);
    m_slot = std::move(slot);
}

void RecoveryKeeper::due()
{
    // A gesture's level is half changed: the copy waits for its end.
    if (m_editor.busy())
        m_timer.start(gestureRetryMs);
    else
        write(Qt::QueuedConnection);
}

void RecoveryKeeper::write(Qt::ConnectionType connection)
{
    // The level's bytes are made here, where the level lives; the checksum
    // and the disk are the writer thread's.
    QMetaObject::invokeMethod(
        m_writer,
        [this, path = m_slot->copyPath(), copy = m_editor.snapshot()] {
            const Result written = recoverycopy::write(path, copy);
            QMetaObject::invokeMethod(
                this, [this, written] { finished(written); }, Qt::QueuedConnection);
        },
        connection);
}

void RecoveryKeeper::remove(Qt::ConnectionType connection)
{
    QMetaObject::invokeMethod(
        m_writer,
        [this, path = m_slot->copyPath()] {
            QFile copy(path);
            const Result removed = !copy.exists() || copy.remove() ? Result::success() : Result::failure(copy.errorString());
            QMetaObject::invokeMethod(
                this, [this, removed] { finished(removed); }, Qt::QueuedConnection);
        },
        connection);
}

void RecoveryKeeper::finished(const Result& result)
{
    m_lastFailure = result.message();
    emit copyChanged();
}
