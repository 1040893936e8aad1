#include "common/ModalDriver.h"

#include <QApplication>
#include <QTest>

namespace {
constexpr int pollMs = 10;
}

ModalDriver::ModalDriver(Action action, int timeoutMs)
    : m_action(std::move(action))
    , m_remainingMs(timeoutMs)
{
    m_timer.setInterval(pollMs);
    connect(&m_timer, &QTimer::timeout, this, &ModalDriver::poll);
    m_timer.start();
}

ModalDriver::~ModalDriver() = default;

void ModalDriver::poll()
{
    m_remainingMs -= pollMs;
    QWidget* modal = QApplication::activeModalWidget();
    if (!m_ran && modal) {
        m_ran = true;
        m_modal = modal;
        m_action(modal);
        return;
    }
    if (m_ran && (!m_modal || !m_modal->isVisible())) {
        m_timer.stop();
        return;
    }
    if (m_remainingMs <= 0) {
        m_timer.stop();
        QTest::qFail(m_ran ? "the modal window was left open" : "no modal window opened", __FILE__, __LINE__);
        if (QWidget* stuck = QApplication::activeModalWidget())
            stuck->close();
    }
}
