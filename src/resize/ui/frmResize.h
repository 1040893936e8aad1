#pragma once

#include "app/ui/FormControls.h"
#include "layout/ResizeDesign.h"

#include <QDialog>
#include <QIcon>

#include <vector>

class LevelHistory;
class QLineEdit;
class QPushButton;

// The resize dialog: the user types a new width and height and presses the
// corner button at which the level should grow or shrink. The corner
// buttons' pictures show how the typed size compares with the level's.
// Done only hides it, so the owner keeps it with what was typed; its close
// box unloads it, and the owner makes a new one next time.
class frmResize : public QDialog
{
    Q_OBJECT
public:
    // Each resize that changes the level is a step of `history`.
    frmResize(QWidget* owner, LevelHistory& history);
    ~frmResize() override;

    // Cuts the picture sheet into the corner buttons' pictures. Without a
    // readable sheet the user is told, and the buttons name their corners.
    void Form_Load();
    // Each time the dialog is shown: the level's size in the boxes and caption.
    void Form_Activate();

    void txtWidth_Change();
    void txtHeight_Change();
    void cmdResize_Click(int Index);
    void cmdReset_Click();
    void cmdDone_Click();

    // True once the close box has closed the dialog: the owner then drops it.
    bool isUnloaded() const { return m_unloaded; }
    // How many pictures were cut from the sheet (36, or 0 without one).
    int pictureCount() const { return static_cast<int>(m_pictures.size()); }

signals:
    // The level has a new size: the owner redraws its map and lays itself
    // out before the dialog shows the size as applied.
    void levelResized();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectControls();
    void showPictureRow(int row);
    // What each corner button does with the size typed, for a screen reader.
    void describeCorners();

    LevelHistory& m_history;
    FormControls<ResizeControl> m_controls;
    QPushButton* cmdResize[4] = {};
    QLineEdit* txtWidth = nullptr;
    QLineEdit* txtHeight = nullptr;
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdDone = nullptr;
    std::vector<QIcon> m_pictures;
    bool m_unloaded = false;
};
