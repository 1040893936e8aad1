#pragma once

#include "editor/AreaOperations.h"

#include <QDialog>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
struct Catalogue;
struct EditorPictures;

// The replace dialog: every tile of one kind made another, or every entity
// of one kind given another, on the shown layer or on all five. It shows how
// many cells or entities will change before anything does; the caller
// applies what it returns once it is accepted.
class frmReplace : public QDialog
{
    Q_OBJECT
public:
    // `view` is the shown layer; `selection` the palette's, which the dialog
    // starts from as the kind to replace with.
    frmReplace(const Level& level, const Catalogue& catalogue, const EditorPictures& pictures, int view, PaletteSelection selection,
        QWidget* owner);

    areaops::Replacement replacement() const;

private:
    void listKinds();
    void recount();

    const Level& m_level;
    const Catalogue& m_catalogue;
    const EditorPictures& m_pictures;
    int m_view;

    QRadioButton* optTiles;
    QRadioButton* optEntities;
    QComboBox* cboFrom;
    QComboBox* cboTo;
    QRadioButton* optShownLayer;
    QRadioButton* optAllLayers;
    QLabel* lblCount;
    QPushButton* cmdReplace;
};
