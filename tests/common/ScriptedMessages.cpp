#include "common/ScriptedMessages.h"

#include <QTest>

ScriptedMessages::ScriptedMessages()
{
    Messages::setAnswerer([this](const Messages::Request& request) { return respond(request); });
}

ScriptedMessages::~ScriptedMessages()
{
    Messages::setAnswerer({});
}

ScriptedMessages& ScriptedMessages::answer(QMessageBox::StandardButton button)
{
    m_answers.append(button);
    return *this;
}

QStringList ScriptedMessages::texts() const
{
    QStringList result;
    for (const Messages::Request& request : m_shown)
        result.append(request.text);
    return result;
}

QMessageBox::StandardButton ScriptedMessages::respond(const Messages::Request& request)
{
    m_shown.append(request);
    if (!m_answers.isEmpty())
        return m_answers.takeFirst();
    QTest::qFail(qPrintable(QStringLiteral("unexpected message box: %1").arg(request.text)), __FILE__, __LINE__);
    for (QMessageBox::StandardButton safe : {QMessageBox::Cancel, QMessageBox::No, QMessageBox::Ok})
        if (request.buttons & safe)
            return safe;
    return QMessageBox::NoButton;
}
