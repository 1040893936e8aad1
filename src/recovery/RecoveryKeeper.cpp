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
        remove(false);
        return;
    }
    if (!m_timer.isActive())
        m_timer.start(delayMs);
}

void RecoveryKeeper::discard()
{
    m_discarded = true;
    m_timer.stop();
    remove(true);
}

void RecoveryKeeper::settle()
{
    m_timer.stop();
    if (m_editor.unsaved() && !m_discarded)
        write(true);
    else
        remove(true);
}

void RecoveryKeeper::adopt(std::unique_ptr<RecoverySlot> slot)
{
    remove(true);
    m_slot = std::move(slot);
}

void RecoveryKeeper::due()
{
    // A gesture's level is half changed: the copy waits for its end.
    if (m_editor.busy())
        m_timer.start(gestureRetryMs);
    else
        write(false);
}

void RecoveryKeeper::write(bool wait)
{
    // The level's bytes are made here, where the level lives; the checksum
    // and the disk are the writer thread's.
    onWriter([path = m_slot->copyPath(), copy = m_editor.snapshot()] { return recoverycopy::write(path, copy); }, wait);
}

void RecoveryKeeper::remove(bool wait)
{
    onWriter(
        [path = m_slot->copyPath()] {
            QFile copy(path);
            return !copy.exists() || copy.remove() ? Result::success() : Result::failure(copy.errorString());
        },
        wait);
}

void RecoveryKeeper::onWriter(std::function<Result()> work, bool wait)
{
    if (wait) {
        Result result = Result::success();
        QMetaObject::invokeMethod(
            m_writer, [&result, &work] { result = work(); }, Qt::BlockingQueuedConnection);
        finished(result);
        return;
    }
    QMetaObject::invokeMethod(
        m_writer,
        [this, work = std::move(work)] {
            const Result result = work();
            QMetaObject::invokeMethod(
                this, [this, result] { finished(result); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void RecoveryKeeper::finished(const Result& result)
{
    // A failing disk is told once, not at every copy, and again only after
    // a copy went well in between.
    const bool newFailure = !result && m_lastFailure.isEmpty();
    m_lastFailure = result.message();
    if (newFailure)
        emit copyFailed(m_lastFailure);
    emit copyChanged();
}
