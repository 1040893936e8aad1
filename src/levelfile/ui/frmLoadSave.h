#pragma once

#include "app/ui/FormControls.h"
#include "layout/FormGeometry.h"
#include "layout/LoadSaveDesign.h"

#include <QDialog>

class QListWidget;
class QLineEdit;
class QPushButton;

// The level chooser, for loading and for saving. The caller sets `save`,
// shows it modally and then reads `fName`; an empty name means cancelled.
// It is only hidden after use, so the name box keeps its text.
class frmLoadSave : public QDialog
{
    Q_OBJECT
public:
    explicit frmLoadSave(QWidget* owner);

    bool save = false;
    QString fName;

    // Each showing: the captions for the mode and the list from the index.
    void Form_Activate();
    void Form_Resize();
    void List1_Click(int row);
    void List1_DblClick();
    void cmdOK_Click();
    void cmdCancel_Click();

    // Puts a name into the name box, as picking it would: a restored level
    // is offered again under the name it had.
    void setName(const QString& name);

    // Esc and the window's close box cancel like the Cancel button.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    FormGeometry<LoadSaveControl> m_geometry;
    FormControls<LoadSaveControl> m_controls;
    QListWidget* List1 = nullptr;
    QLineEdit* txtName = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
};
