#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Drives the next modal window a test opens: as soon as the window is up,
// `action` runs on it (typing, clicking, closing). If no modal window comes,
// or the action leaves it open past the timeout, the test fails and the
// window is closed, so a dialog nobody answers never stalls the test.
class ModalDriver : public QObject
{
    Q_OBJECT
public:
    using Action = std::function<void(QWidget* modal)>;

    explicit ModalDriver(Action action, int timeoutMs = 5000);
    ~ModalDriver() override;

    bool ran() const { return m_ran; }

private:
    void poll();

    Action m_action;
    QTimer m_timer;
    int m_remainingMs;
    bool m_ran = false;
    QPointer<QWidget> m_modal;
};
