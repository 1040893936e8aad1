#include "common/EditorSession.h"

#include "common/ModalDriver.h"
#include "model/modLists.h"

#include <QAbstractButton>
#include <QApplication>
#include <QTest>

EditorSession::EditorSession(TempGame::Levels levels)
    : m_game(levels)
{
    if (!m_game.isValid()) {
        m_error = QStringLiteral("no game folder");
        return;
    }
    m_error = modLists::readElements(m_game.editorDir()).message();
    if (!m_error.isEmpty())
        return;
    m_window = std::make_unique<frmMain>();
    m_error = m_window->Form_Load().message();
    m_window->show();
}

void EditorSession::clickAndDrive(const QString& name, const std::function<void(QWidget*)>& action)
{
    ModalDriver driver([&](QWidget* modal) {
        QVERIFY(QTest::qWaitForWindowActive(modal));
        action(modal);
    });
    m_window->findChild<QAbstractButton*>(name)->click();
    QVERIFY(driver.ran());
    QVERIFY(!QApplication::activeModalWidget());
}
