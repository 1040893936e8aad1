#include "resize/ui/frmResize.h"

#include "app/ui/Messages.h"
#include "app/ui/Twips.h"
#include "layout/ResizeDesign.h"
#include "model/LevelHistory.h"
#include "model/Numbers.h"
#include "model/PictureFile.h"
#include "model/modLists.h"
#include "resize/ResizeCommand.h"
#include "resize/ResizeOperation.h"
#include "resize/ResizePictures.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>

namespace {

// What a corner button shows when there are no pictures.
const char* const cornerNames[4] = {"Top\nleft", "Top\nright", "Bottom\nleft", "Bottom\nright"};
// And what a screen reader calls it.
const char* const cornerAccessibleNames[4] = {"Top left corner", "Top right corner", "Bottom left corner", "Bottom right corner"};

} // namespace

frmResize::frmResize(QWidget* owner, LevelHistory& history)
    : QDialog(owner)
    , m_history(history)
    , m_controls(this, frmResizeDesign())
{
    setObjectName(QStringLiteral("frmResize"));
    connectControls();
    resize(twipsToPixels(frmResizeDesign().innerWidth), twipsToPixels(frmResizeDesign().innerHeight));
}

frmResize::~frmResize() = default;

void frmResize::connectControls()
{
    using C = ResizeControl;
    for (int i = 0; i < 4; ++i) {
        cmdResize[i] = m_controls.get<QPushButton>(cmdResizeControl(i));
        cmdResize[i]->setIconSize(QSize(resizepictures::pictureSize, resizepictures::pictureSize));
        connect(cmdResize[i], &QPushButton::clicked, this, [this, i] { cmdResize_Click(i); });
    }
    txtWidth = m_controls.get<QLineEdit>(C::txtWidth);
    txtHeight = m_controls.get<QLineEdit>(C::txtHeight);
    cmdReset = m_controls.get<QPushButton>(C::cmdReset);
    cmdDone = m_controls.get<QPushButton>(C::cmdDone);
    // No button takes Enter, not even the one with the focus.
    for (QPushButton* button : {cmdResize[0], cmdResize[1], cmdResize[2], cmdResize[3], cmdReset, cmdDone})
        button->setAutoDefault(false);

    // The labels name their boxes for a screen reader.
    m_controls.get<QLabel>(C::lblWidth)->setBuddy(txtWidth);
    m_controls.get<QLabel>(C::lblHeight)->setBuddy(txtHeight);
    for (int i = 0; i < 4; ++i)
        cmdResize[i]->setAccessibleName(QLatin1String(cornerAccessibleNames[i]));
    cmdReset->setAccessibleDescription(QStringLiteral("Puts the level's present size back into the boxes."));
    cmdDone->setAccessibleDescription(QStringLiteral("Closes the dialog."));

    connect(txtWidth, &QLineEdit::textChanged, this, &frmResize::txtWidth_Change);
    connect(txtHeight, &QLineEdit::textChanged, this, &frmResize::txtHeight_Change);
    connect(cmdReset, &QPushButton::clicked, this, &frmResize::cmdReset_Click);
    connect(cmdDone, &QPushButton::clicked, this, &frmResize::cmdDone_Click);
}

void frmResize::Form_Load()
{
    QImage sheet;
    if (const Result read = readPictureFile(resizepictures::sheetFileName(), sheet); !read) {
        Messages::report(parentWidget(),
            QStringLiteral("The picture sheet \"%1\" %2. The corner buttons show their corners' names instead of pictures.")
                .arg(resizepictures::sheetFileName(), read.message()));
        for (int i = 0; i < 4; ++i)
            cmdResize[i]->setText(QString::fromLatin1(cornerNames[i]));
        return;
    }
    for (const QImage& picture : resizepictures::cutSheet(sheet))
        m_pictures.emplace_back(QPixmap::fromImage(resizepictures::withMagentaTransparent(picture)));
}

void frmResize::Form_Activate()
{
    const Level& level = modLists::level;
    txtWidth->setText(numbers::text(level.levelWidth));
    txtHeight->setText(numbers::text(level.levelHeight));
    setWindowTitle(QStringLiteral("Current size is width:") + numbers::text(level.levelWidth) + QStringLiteral(" , height:")
        + numbers::text(level.levelHeight));
    showPictureRow(4);
}

void frmResize::showPictureRow(int row)
{
    if (m_pictures.empty())
        return;
    for (int i = 0; i < 4; ++i)
        cmdResize[i]->setIcon(m_pictures[static_cast<size_t>(4 * row + i)]);
}

void frmResize::txtWidth_Change()
{
    describeCorners();
    const resizeop::TypedSize typed = resizeop::readTypedSize(txtWidth->text(), txtHeight->text());
    if (!typed.isValid()) {
        for (QPushButton* button : cmdResize)
            button->setEnabled(false);
        return;
    }
    for (QPushButton* button : cmdResize)
        button->setEnabled(true);
    showPictureRow(resizeop::pictureRow(modLists::level, *typed.width, *typed.height));
}

void frmResize::describeCorners()
{
    const resizeop::TypedSize typed = resizeop::readTypedSize(txtWidth->text(), txtHeight->text());
    for (int i = 0; i < 4; ++i) {
        const QString corner = QString(QLatin1String(cornerAccessibleNames[i])).toLower();
        cmdResize[i]->setAccessibleDescription(typed.isValid()
                ? QStringLiteral("Adds or removes columns and rows at the %1: the level becomes %2.")
                      .arg(corner, resizeop::changeInWords(modLists::level, *typed.width, *typed.height))
                : QStringLiteral("Type a new width and height of at least 1 to resize at the %1.").arg(corner));
    }
}

void frmResize::txtHeight_Change()
{
    txtWidth_Change();
}

void frmResize::cmdResize_Click(int Index)
{
    resizeop::ResizeRecord record;
    switch (resizeop::resizeLevel(modLists::level, txtWidth->text(), txtHeight->text(), Index, &record)) {
    case resizeop::Outcome::Invalid:
        Messages::report(this, resizeop::invalidInputMessage());
        return;
    case resizeop::Outcome::TooLarge:
        Messages::report(this, resizeop::tooLargeMessage());
        return;
    case resizeop::Outcome::Applied:
        break;
    }
    emit levelResized();
    txtWidth_Change();
    // A resize to the size the level has changes nothing there is to undo,
    // but it counts as a change all the same.
    if (record.changesNothing())
        m_history.markChanged();
    else
        m_history.record(std::make_unique<ResizeCommand>(modLists::level, std::move(record)));
}

void frmResize::cmdReset_Click()
{
    txtHeight->setText(numbers::text(modLists::level.levelHeight));
    txtWidth->setText(numbers::text(modLists::level.levelWidth));
}

void frmResize::cmdDone_Click()
{
    const Level& level = modLists::level;
    const resizeop::TypedSize typed = resizeop::readTypedSize(txtWidth->text(), txtHeight->text());
    // A box that holds no number has nothing to apply: leave without asking.
    if (typed.isNumber() && (*typed.width != level.levelWidth || *typed.height != level.levelHeight)) {
        if (!Messages::askYesNo(this, QStringLiteral("You have made changes since you last applyed, are you sure you want to leave?")))
            return;
    }
    hide();
}

void frmResize::keyPressEvent(QKeyEvent* event)
{
    // The dialog has no cancel button: Escape does nothing.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmResize::closeEvent(QCloseEvent* event)
{
    m_unloaded = true;
    QDialog::closeEvent(event);
}
