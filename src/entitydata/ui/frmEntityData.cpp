#include "entitydata/ui/frmEntityData.h"

#include "app/ui/Messages.h"
#include "app/ui/Twips.h"
#include "entitydata/EntityRows.h"
#include "layout/EntityDataDesign.h"
#include "layout/EntityDataLayout.h"
#include "model/DataTextCommand.h"
#include "model/EightBitText.h"
#include "model/LevelHistory.h"
#include "model/modLists.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>

frmEntityData::frmEntityData(LevelHistory& history, QWidget* parent)
    : QDialog(parent)
    , m_history(history)
    , m_geometry(frmEntityDataDesign())
    , m_controls(this, frmEntityDataDesign())
{
    setObjectName(QStringLiteral("frmEntityData"));
    setWindowTitle(QString::fromLatin1(frmEntityDataDesign().caption));
    connectControls();
    resize(twipsToPixels(frmEntityDataDesign().innerWidth), twipsToPixels(frmEntityDataDesign().innerHeight));
    Form_Load();
}

frmEntityData::~frmEntityData() = default;

void frmEntityData::connectControls()
{
    using C = EntityDataControl;
    lstCurEnt = m_controls.get<QListWidget>(C::lstCurEnt);
    lstCurDat = m_controls.get<QListWidget>(C::lstCurDat);
    txtData = m_controls.get<QLineEdit>(C::txtData);
    cmdApply = m_controls.get<QPushButton>(C::cmdApply);
    lblTip = m_controls.get<QLabel>(C::lblTip);
    cmdClose = m_controls.get<QPushButton>(C::cmdClose);

    for (QListWidget* list : {lstCurEnt, lstCurDat}) {
        // Every row is one line of text: the view need not measure each of
        // many thousand rows.
        list->setUniformItemSizes(true);
        // Without a horizontal bar both lists keep the same height, so their
        // rows stay side by side.
        list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    // Named for a screen reader; the tip of the chosen row describes the box too.
    lstCurEnt->setAccessibleName(QStringLiteral("Player start and entities"));
    lstCurEnt->setAccessibleDescription(QStringLiteral("One row each: column, row and kind."));
    lstCurDat->setAccessibleName(QStringLiteral("Data texts"));
    lstCurDat->setAccessibleDescription(QStringLiteral("The data text of each row beside it."));
    txtData->setAccessibleName(QStringLiteral("Data text"));
    lblTip->setAccessibleName(QStringLiteral("Tip"));
    lblTip->setWordWrap(true);
    lblTip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblTip->setTextFormat(Qt::PlainText);

    // Enter applies wherever the focus is, except on Close: a focused Close
    // takes Enter itself, as buttons do in every dialog.
    cmdApply->setAutoDefault(false);
    cmdClose->setAutoDefault(true);
    cmdApply->setDefault(true);

    connect(lstCurEnt, &QListWidget::currentRowChanged, this, &frmEntityData::lstCurEnt_Click);
    connect(lstCurDat, &QListWidget::currentRowChanged, this, &frmEntityData::lstCurDat_Click);
    // Choosing the row that is already chosen changes no row, yet the user
    // expects its stored text back in the text box.
    for (QListWidget* list : {lstCurEnt, lstCurDat})
        connect(list, &QListWidget::itemClicked, this, [this, list](QListWidgetItem* item) {
            if (list->row(item) == lstCurEnt->currentRow())
                lstCurEnt_Click();
        });
    // The two lists read as one table: scrolling either shows the same rows in both.
    connect(lstCurEnt->verticalScrollBar(), &QScrollBar::valueChanged, lstCurDat->verticalScrollBar(), &QScrollBar::setValue);
    connect(lstCurDat->verticalScrollBar(), &QScrollBar::valueChanged, lstCurEnt->verticalScrollBar(), &QScrollBar::setValue);
    connect(cmdApply, &QPushButton::clicked, this, &frmEntityData::cmdApply_Click);
    connect(cmdClose, &QPushButton::clicked, this, &frmEntityData::cmdClose_Click);
}

void frmEntityData::Form_Load()
{
    const Level& level = modLists::level;
    lstCurEnt->addItems(entityrows::objectTexts(level, modLists::catalogue));
    lstCurDat->addItems(entityrows::dataTexts(level));
    // No row is chosen until the user chooses one. Setting "no current row"
    // through the view also keeps a list that takes the keyboard focus from
    // making its first row current by itself.
    lstCurEnt->setCurrentIndex(QModelIndex());
    lstCurDat->setCurrentIndex(QModelIndex());
}

void frmEntityData::Form_Resize()
{
    layoutEntityData(m_geometry, width() * twipsPerPixel, height() * twipsPerPixel);
    for (const ControlDesign<EntityDataControl>& control : frmEntityDataDesign().controls)
        m_controls.apply(m_geometry, control.id);
}

void frmEntityData::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    Form_Resize();
}

void frmEntityData::lstCurEnt_Click()
{
    const int row = lstCurEnt->currentRow();
    if (row < 0)
        return;
    lstCurDat->setCurrentRow(row);
    txtData->setText(lstCurDat->item(row)->text());
    // Paragraph breaks of the catalogue's tips are CR LF pairs; the label breaks lines at LF.
    lblTip->setText(entityrows::tip(modLists::level, modLists::catalogue, row).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    lblTip->setAccessibleDescription(lblTip->text());
    txtData->setAccessibleDescription(lblTip->text());
    txtData->setFocus();
    txtData->selectAll();
}

void frmEntityData::lstCurDat_Click()
{
    lstCurEnt->setCurrentRow(lstCurDat->currentRow());
}

void frmEntityData::cmdApply_Click()
{
    const int row = lstCurDat->currentRow();
    if (row < 0)
        return;
    // Saved as it stands, such a text would come back with a "?" for each.
    if (const QString beyond = charactersBeyondEightBit(txtData->text()); !beyond.isEmpty()) {
        Messages::report(this,
            QStringLiteral("The data text holds characters that a level file cannot store: %1. Level files are 8-bit text; please "
                           "use other characters.")
                .arg(beyond));
        txtData->setFocus();
        return;
    }
    lstCurDat->item(row)->setText(txtData->text());
    if (std::unique_ptr<DataTextCommand> step = entityrows::storeData(modLists::level, row, txtData->text()))
        m_history.record(std::move(step));
}

void frmEntityData::cmdClose_Click()
{
    reject();
}
