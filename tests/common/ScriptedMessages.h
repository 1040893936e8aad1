#pragma once

#include "app/ui/Messages.h"

#include <QList>
#include <QString>

// Answers the program's message boxes for a test, in the order they come.
// A message that comes with no answer left fails the test (and is answered
// with Cancel, No or OK so the program goes on), so nothing waits forever.
class ScriptedMessages
{
public:
    ScriptedMessages();
    ~ScriptedMessages();
    ScriptedMessages(const ScriptedMessages&) = delete;
    ScriptedMessages& operator=(const ScriptedMessages&) = delete;

    // Queues the answer to the next message.
    ScriptedMessages& answer(QMessageBox::StandardButton button);

    // Every message shown so far.
    const QList<Messages::Request>& shown() const { return m_shown; }
    QStringList texts() const;

private:
    QMessageBox::StandardButton respond(const Messages::Request& request);

    QList<QMessageBox::StandardButton> m_answers;
    QList<Messages::Request> m_shown;
};
