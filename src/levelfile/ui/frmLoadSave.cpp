#include "levelfile/ui/frmLoadSave.h"

#include "app/ui/Messages.h"
#include "app/ui/Twips.h"
#include "layout/LoadSaveDesign.h"
#include "layout/LoadSaveLayout.h"
#include "levelfile/LevelIndex.h"
#include "levelfile/LevelPaths.h"
#include "model/EightBitText.h"
#include "model/Excerpt.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

frmLoadSave::frmLoadSave(QWidget* owner)
    : QDialog(owner)
    , m_geometry(frmLoadSaveDesign())
    , m_controls(this, frmLoadSaveDesign())
{
    using C = LoadSaveControl;
    setObjectName(QStringLiteral("frmLoadSave"));
    setModal(true);
    setWindowTitle(QString::fromLatin1(frmLoadSaveDesign().caption));

    List1 = m_controls.get<QListWidget>(C::List1);
    txtName = m_controls.get<QLineEdit>(C::txtName);
    cmdOK = m_controls.get<QPushButton>(C::cmdOK);
    cmdCancel = m_controls.get<QPushButton>(C::cmdCancel);
    cmdOK->setDefault(true);
    // The list and the name box have no labels to name them to a screen reader.
    List1->setAccessibleName(QStringLiteral("Levels"));
    List1->setAccessibleDescription(QStringLiteral("The levels of the level index. Choosing one puts its name into the name box."));
    txtName->setAccessibleName(QStringLiteral("Level name"));

    // A click, or picking with the keys, puts the item into the name box.
    connect(List1, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) { List1_Click(List1->row(item)); });
    connect(List1, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = List1->selectedItems();
        if (!selected.isEmpty())
            List1_Click(List1->row(selected.first()));
    });
    connect(List1, &QListWidget::itemDoubleClicked, this, &frmLoadSave::List1_DblClick);
    connect(cmdOK, &QPushButton::clicked, this, &frmLoadSave::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmLoadSave::cmdCancel_Click);

    resize(twipsToPixels(frmLoadSaveDesign().innerWidth), twipsToPixels(frmLoadSaveDesign().innerHeight));
}

void frmLoadSave::showEvent(QShowEvent* event)
{
    Form_Activate();
    QDialog::showEvent(event);
}

void frmLoadSave::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmLoadSave::Form_Activate()
{
    fName.clear();
    const QString caption = save ? QStringLiteral("Save") : QStringLiteral("Load");
    cmdOK->setText(caption);
    setWindowTitle(caption);
    List1->clear();
    QString problem;
    QStringList names = readLevelIndex(levelIndexPath(), &problem);
    // No file name is longer than 255 characters, so a longer line names no
    // level; shown whole, a line of megabytes would take the list seconds to
    // lay out, so only its beginning is shown.
    for (QString& name : names)
        if (name.size() > longestFileName)
            name = excerpt(name);
    List1->addItems(names);
    // No row is current until the user picks one, so that the first Down key
    // picks the first row rather than the list making it current on focus.
    List1->setCurrentIndex(QModelIndex());
    if (!problem.isEmpty()) {
        // Told once the dialog is up, over it.
        const QString message = QStringLiteral("The level index '%1' %2, so the list of levels is empty.").arg(levelIndexPath(), problem);
        QMetaObject::invokeMethod(
            this, [this, message] { Messages::report(this, message); }, Qt::QueuedConnection);
    }
}

void frmLoadSave::Form_Resize()
{
    layoutLoadSave(m_geometry, width() * twipsPerPixel, height() * twipsPerPixel);
    for (const ControlDesign<LoadSaveControl>& control : frmLoadSaveDesign().controls)
        m_controls.apply(m_geometry, control.id);
}

void frmLoadSave::List1_Click(int row)
{
    if (QListWidgetItem* item = List1->item(row))
        txtName->setText(item->text());
}

void frmLoadSave::setName(const QString& name)
{
    txtName->setText(name);
}

void frmLoadSave::List1_DblClick()
{
    cmdOK_Click();
}

void frmLoadSave::cmdOK_Click()
{
    fName = txtName->text();
    bool listed = false;
    for (int row = 0; row < List1->count() && !listed; ++row)
        listed = List1->item(row)->text() == fName;

    if (!save) {
        if (listed)
            accept();
        else
            Messages::report(this, QStringLiteral("Level does not exist!"));
        return;
    }
    // An empty name is no level: every caller takes it as a cancellation,
    // so it is neither asked about nor recorded in the index.
    if (fName.isEmpty()) {
        accept();
        return;
    }
    // Refused before it goes into the index, as a save could not write it.
    if (const int length = levelNameLength(fName); length > maxLevelNameLength) {
        Messages::report(this,
            QStringLiteral("The name is too long for a level: its file and the temporary file a save writes beside it must fit the "
                           "file system's limit of 255 characters, so a level name may have at most %1 characters, and this one has %2.%3")
                .arg(maxLevelNameLength)
                .arg(length)
                .arg(length != fName.size() ? QStringLiteral(" (Each letter beyond plain ASCII counts as two.)") : QString()));
        return;
    }
    // Only a line cut short in the list holds the ellipsis beyond 8 bits.
    if (listed && !charactersBeyondEightBit(fName).isEmpty()) {
        Messages::report(
            this, QStringLiteral("That line of the level index is longer than any level name can be; the list shows only its beginning."));
        return;
    }
    if (listed) {
        if (Messages::askYesNo(this, QStringLiteral("Overwrite existing ") + fName + QStringLiteral("?")))
            accept();
        return;
    }
    const QString path = levelIndexPath();
    if (const Result added = appendToLevelIndex(path, fName); !added) {
        // Without its line in the index the level could not be picked again.
        Messages::report(this, QStringLiteral("Could not add \"%1\" to the level index '%2': %3.").arg(fName, path, added.message()));
        return;
    }
    accept();
}

void frmLoadSave::cmdCancel_Click()
{
    fName.clear();
    QDialog::reject();
}

void frmLoadSave::reject()
{
    cmdCancel_Click();
}
