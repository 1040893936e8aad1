#pragma once

#include "common/TempGame.h"
#include "editor/ui/frmMain.h"

#include <functional>
#include <memory>

// The main window as the user starts it in a game folder of the test's own:
// the catalogue read, the window loaded and shown.
class EditorSession
{
public:
    explicit EditorSession(TempGame::Levels levels = TempGame::NoLevels);

    // Why starting failed; empty when it did not.
    QString error() const { return m_error; }
    TempGame& game() { return m_game; }
    frmMain& window() { return *m_window; }

    // Clicks the main window's button `name` and lets `action` play the user
    // in the modal dialog it opens. Fails the test when none opens or the
    // action leaves it open.
    void clickAndDrive(const QString& name, const std::function<void(QWidget*)>& action);

private:
    TempGame m_game;
    std::unique_ptr<frmMain> m_window; // made once the catalogue is read
    QString m_error;
};
