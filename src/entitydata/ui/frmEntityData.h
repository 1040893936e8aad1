#pragma once

#include "app/ui/FormControls.h"
#include "layout/EntityDataDesign.h"
#include "layout/FormGeometry.h"

#include <QDialog>

class LevelHistory;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The entity data editor: lists the player start and every placed entity of
// the level with their data texts and stores an edited text on Apply. It is
// made anew for each opening, so the lists show the level as it is then.
// Each Apply that changes a text is a step of the level's history.
class frmEntityData : public QDialog
{
    Q_OBJECT
public:
    explicit frmEntityData(LevelHistory& history, QWidget* parent = nullptr);
    ~frmEntityData() override;

    // Fits the controls to the dialog's current size.
    void Form_Resize();

    void lstCurEnt_Click();
    void lstCurDat_Click();
    void cmdApply_Click();
    void cmdClose_Click();

    const FormGeometry<EntityDataControl>& geometry() const { return m_geometry; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void connectControls();
    void Form_Load();

    LevelHistory& m_history;
    FormGeometry<EntityDataControl> m_geometry;
    FormControls<EntityDataControl> m_controls;
    QListWidget* lstCurEnt = nullptr;
    QListWidget* lstCurDat = nullptr;
    QLineEdit* txtData = nullptr;
    QPushButton* cmdApply = nullptr;
    QLabel* lblTip = nullptr;
    QPushButton* cmdClose = nullptr;
};
