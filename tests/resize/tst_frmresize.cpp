#include "common/ModalDriver.h"
#include "common/ScriptedMessages.h"
#include "common/TempGame.h"
#include "editor/frmMain.h"
#include "model/modLists.h"
#include "resize/ResizePictures.h"
#include "resize/frmResize.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {

using Action = std::function<void(frmResize*)>;

const QString changesQuestion = "You have made changes since you last applyed, are you sure you want to leave?";

QPushButton* corner(QWidget* dialog, int i)
{
    return dialog->findChild<QPushButton*>(QStringLiteral("cmdResize%1").arg(i));
}

QPushButton* button(QWidget* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(QString::fromLatin1(name));
}

QLineEdit* box(QWidget* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

// Replaces the box's text as the user does: select it all and type over it.
void typeInto(QLineEdit* line, const QString& text)
{
    line->setFocus();
    line->selectAll();
    if (text.isEmpty())
        QTest::keyClick(line, Qt::Key_Delete);
    else
        QTest::keyClicks(line, text);
}

// Replaces the box's text in one change, as pasting over it does.
void pasteInto(QLineEdit* line, const QString& text)
{
    line->setFocus();
    line->selectAll();
    if (text.isEmpty())
        line->del();
    else
        line->insert(text);
}

void typeSize(QWidget* dialog, const QString& width, const QString& height)
{
    typeInto(box(dialog, "txtWidth"), width);
    typeInto(box(dialog, "txtHeight"), height);
}

bool cornersEnabled(QWidget* dialog)
{
    bool all = true;
    for (int i = 0; i < 4; ++i)
        all = all && corner(dialog, i)->isEnabled();
    return all;
}

bool cornersDisabled(QWidget* dialog)
{
    for (int i = 0; i < 4; ++i)
        if (corner(dialog, i)->isEnabled())
            return false;
    return true;
}

QImage shownPicture(QWidget* dialog, int i)
{
    return corner(dialog, i)->icon().pixmap(QSize(60, 60)).toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class tst_frmresize : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempGame> game;
    std::unique_ptr<frmMain> window;
    // The pictures of the sample sheet as the buttons should show them.
    std::vector<QImage> sheetPictures;

    // Which row of pictures the four corner buttons show, or -1 for none.
    int shownRow(QWidget* dialog) const
    {
        for (int row = 0; row < 9; ++row) {
            bool match = true;
            for (int i = 0; i < 4; ++i)
                match = match && shownPicture(dialog, i) == sheetPictures[size_t(4 * row + i)];
            if (match)
                return row;
        }
        return -1;
    }

    // Opens the dialog with the main window's Resize button; `action` plays the user.
    void openResize(const Action& action)
    {
        bool sawDialog = false;
        ModalDriver driver([&](QWidget* modal) {
            auto* dialog = qobject_cast<frmResize*>(modal);
            if (!dialog)
                return;
            sawDialog = true;
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            action(dialog);
        });
        window->findChild<QPushButton*>("cmdResize")->click();
        QVERIFY(driver.ran());
        QVERIFY(sawDialog);
        QVERIFY(!QApplication::activeModalWidget());
    }

    void placeEntities()
    {
        Level& level = modLists::level;
        levelops::movePlayer(level, 7, 7);
        levelops::appendEntity(level, {0, 0, 0, 0}, "first");
        levelops::appendEntity(level, {3, 7, 7, 1}, "second");
        levelops::appendEntity(level, {1, 4, 4, 2}, "third");
        level.levelTiles(0, 0, 0) = 5;
        level.levelTiles(2, 7, 7) = 9;
        level.levelChanged = false;
    }

private slots:
    void initTestCase()
    {
        game = std::make_unique<TempGame>();
        QVERIFY(game->isValid());
        QCOMPARE(modLists::readElements(game->editorDir()), QString());
        const QImage sheet(QDir(game->editorDir()).filePath("resize.bmp"));
        QCOMPARE(sheet.size(), QSize(256, 576));
        for (const QImage& picture : resizepictures::cutSheet(sheet))
            sheetPictures.push_back(resizepictures::withMagentaTransparent(picture));
        // Every row must look different, or the tests could not tell them apart.
        for (int a = 0; a < 9; ++a)
            for (int b = a + 1; b < 9; ++b)
                QVERIFY(sheetPictures[size_t(4 * a)] != sheetPictures[size_t(4 * b)]
                    || sheetPictures[size_t(4 * a + 3)] != sheetPictures[size_t(4 * b + 3)]);
    }

    void cleanupTestCase()
    {
        game.reset();
    }

    void init()
    {
        window = std::make_unique<frmMain>();
        QCOMPARE(window->Form_Load(), QString());
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    void cleanup()
    {
        window.reset();
    }

    void opensWithTheLevelSize_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<QString>("caption");
        QTest::newRow("new level") << 8 << 8 << "Current size is width:8 , height:8";
        QTest::newRow("wide and low") << 12 << 5 << "Current size is width:12 , height:5";
        QTest::newRow("largest") << 70 << 70 << "Current size is width:70 , height:70";
    }

    void opensWithTheLevelSize()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(QString, caption);
        levelops::replaceGrid(modLists::level, qint16(width), qint16(height));
        ScriptedMessages messages;
        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog->windowTitle(), caption);
            QCOMPARE(box(dialog, "txtWidth")->text(), QString::number(width));
            QCOMPARE(box(dialog, "txtHeight")->text(), QString::number(height));
            QVERIFY(cornersEnabled(dialog));
            QCOMPARE(shownRow(dialog), 4);
            for (int i = 0; i < 4; ++i) {
                QVERIFY(corner(dialog, i)->text().isEmpty());
                QCOMPARE(corner(dialog, i)->iconSize(), QSize(60, 60));
            }
            QCOMPARE(dialog->findChild<QLabel*>("lblWidth")->text(), QString("New width:"));
            QCOMPARE(dialog->findChild<QLabel*>("lblHeight")->text(), QString("New height:"));
            QCOMPARE(button(dialog, "cmdReset")->text(), QString("Reset"));
            button(dialog, "cmdDone")->click();
        });
        QVERIFY(messages.shown().isEmpty());
    }

    void designLayoutAtAnySize()
    {
        ScriptedMessages messages;
        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog->size(), QSize(313, 217));
            const QList<QPair<const char*, QRect>> places{
                {"cmdResize0", QRect(8, 8, 73, 73)},
                {"cmdResize1", QRect(232, 8, 73, 73)},
                {"cmdResize2", QRect(8, 136, 73, 73)},
                {"cmdResize3", QRect(232, 136, 73, 73)},
                {"txtWidth", QRect(120, 88, 81, 19)},
                {"txtHeight", QRect(120, 112, 81, 19)},
                {"cmdReset", QRect(208, 88, 41, 41)},
                {"cmdDone", QRect(112, 176, 81, 33)},
            };
            for (int pass = 0; pass < 2; ++pass) {
                for (const auto& [name, rect] : places)
                    QCOMPARE(dialog->findChild<QWidget*>(name)->geometry(), rect);
                // The dialog keeps its design at any size.
                dialog->resize(500, 120);
                QCoreApplication::processEvents();
            }

            // Tab order: the corners, the two boxes, Reset, Done.
            QStringList order;
            QWidget* w = corner(dialog, 0);
            for (int i = 0; i < 8; ++i) {
                order.append(w->objectName());
                w = w->nextInFocusChain();
                while (!(w->focusPolicy() & Qt::TabFocus))
                    w = w->nextInFocusChain();
            }
            QCOMPARE(order,
                (QStringList{"cmdResize0", "cmdResize1", "cmdResize2", "cmdResize3", "txtWidth", "txtHeight", "cmdReset", "cmdDone"}));
            button(dialog, "cmdDone")->click();
        });
    }

    void enterAndEscapeDoNothing_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("in the width box") << "txtWidth";
        QTest::newRow("on a corner button") << "cmdResize3";
        QTest::newRow("on Done") << "cmdDone";
        QTest::newRow("on Reset") << "cmdReset";
    }

    void enterAndEscapeDoNothing()
    {
        QFETCH(QString, focus);
        ScriptedMessages messages;
        const Level before = modLists::level;
        openResize([&](frmResize* dialog) {
            typeSize(dialog, "9", "9");
            QWidget* target = dialog->findChild<QWidget*>(focus);
            target->setFocus();
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(target, key);
            QVERIFY(dialog->isVisible());
            for (QPushButton* b : dialog->findChildren<QPushButton*>())
                QVERIFY(!b->isDefault());
            QCOMPARE(box(dialog, "txtWidth")->text(), QString("9"));
            dialog->close();
        });
        QVERIFY(modLists::level == before);
        QVERIFY(messages.shown().isEmpty());
    }

    void typedSizeChoosesThePictures_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<bool>("enabled");
        // The pictures shown; with the buttons disabled, those of the last valid size.
        QTest::addColumn<int>("row");
        QTest::newRow("wider") << "10" << "8" << true << 3;
        QTest::newRow("wider and shorter") << "10" << "5" << true << 6;
        QTest::newRow("unchanged") << "8" << "8" << true << 4;
        QTest::newRow("taller and narrower") << "7" << "20" << true << 2;
        QTest::newRow("wider and taller") << "9" << "9" << true << 0;
        QTest::newRow("narrower and shorter") << "1" << "1" << true << 8;
        QTest::newRow("shorter") << "8" << "3" << true << 7;
        QTest::newRow("a half rounds to even: narrower") << "6.5" << "8" << true << 5;
        QTest::newRow("a half rounds to even: same width, taller") << "7.5" << "9" << true << 1;
        QTest::newRow("too large still compares") << "100" << "8" << true << 3;
        QTest::newRow("empty width") << "" << "8" << false << 3;
        QTest::newRow("empty height") << "8" << "" << false << 4;
        QTest::newRow("zero") << "0" << "8" << false << 3;
        QTest::newRow("negative") << "8" << "-1" << false << 4;
        QTest::newRow("a letter") << "x" << "8" << false << 3;
        QTest::newRow("beyond 16 bits") << "8" << "40000" << false << 4;
    }

    void typedSizeChoosesThePictures()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(bool, enabled);
        QFETCH(int, row);
        ScriptedMessages messages;
        openResize([&](frmResize* dialog) {
            typeSize(dialog, "10", "8");
            QCOMPARE(shownRow(dialog), 3);
            // Pasted, so that each box changes once.
            pasteInto(box(dialog, "txtWidth"), width);
            pasteInto(box(dialog, "txtHeight"), height);
            QVERIFY(enabled ? cornersEnabled(dialog) : cornersDisabled(dialog));
            QCOMPARE(shownRow(dialog), row);
            if (!enabled) {
                // A valid size enables them again.
                typeSize(dialog, "8", "8");
                QVERIFY(cornersEnabled(dialog));
                QCOMPARE(shownRow(dialog), 4);
            }
            dialog->close();
        });
        QVERIFY(modLists::level.levelWidth == 8 && !modLists::level.levelChanged);
    }

    void resizeAtACorner_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QStringList>("entities"); // data:x,y in slot order
        QTest::addColumn<QPoint>("tile5"); // where the kind-5 tile of cell (0, 0) went, or (-1, -1)

        QTest::newRow("grow top left") << 0 << "9" << "10" << QStringList{"first:1,2", "second:8,9", "third:5,6"} << QPoint(1, 2);
        QTest::newRow("grow top right") << 1 << "9" << "10" << QStringList{"first:0,2", "second:7,9", "third:4,6"} << QPoint(0, 2);
        QTest::newRow("grow bottom left") << 2 << "9" << "10" << QStringList{"first:1,0", "second:8,7", "third:5,4"} << QPoint(1, 0);
        QTest::newRow("grow bottom right") << 3 << "9" << "10" << QStringList{"first:0,0", "second:7,7", "third:4,4"} << QPoint(0, 0);
        QTest::newRow("shrink top left") << 0 << "6" << "7" << QStringList{"second:5,6", "third:2,3"} << QPoint(-1, -1);
        QTest::newRow("shrink top right") << 1 << "6" << "7" << QStringList{"third:4,3"} << QPoint(-1, -1);
        QTest::newRow("shrink bottom left") << 2 << "6" << "7" << QStringList{"third:2,4"} << QPoint(-1, -1);
        QTest::newRow("shrink bottom right") << 3 << " 6 " << "6.5" << QStringList{"first:0,0", "third:4,4"} << QPoint(0, 0);
    }

    void resizeAtACorner()
    {
        QFETCH(int, index);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QStringList, entities);
        QFETCH(QPoint, tile5);
        placeEntities();
        const double mapWidth = window->geometry().width("picInner");
        const double mapHeight = window->geometry().height("picInner");
        ScriptedMessages messages;
        openResize([&](frmResize* dialog) {
            typeSize(dialog, width, height);
            QTest::mouseClick(corner(dialog, index), Qt::LeftButton);
            // The typed size stays and now equals the level's.
            QCOMPARE(box(dialog, "txtWidth")->text(), width);
            QCOMPARE(box(dialog, "txtHeight")->text(), height);
            QVERIFY(cornersEnabled(dialog));
            QCOMPARE(shownRow(dialog), 4);
            // The caption tells the size the dialog was opened with.
            QCOMPARE(dialog->windowTitle(), QString("Current size is width:8 , height:8"));
            // Nothing left to apply: Done leaves without asking.
            button(dialog, "cmdDone")->click();
        });
        QVERIFY(messages.shown().isEmpty());

        const Level& level = modLists::level;
        const int w = qRound(width.trimmed().toDouble());
        const int h = height == "6.5" ? 6 : height.toInt();
        QCOMPARE(int(level.levelWidth), w);
        QCOMPARE(int(level.levelHeight), h);
        QStringList survivors;
        for (int slot = 0; slot < level.entityCount; ++slot)
            survivors.append(QStringLiteral("%1:%2,%3")
                                 .arg(level.entityData[size_t(slot)])
                                 .arg(level.entities[size_t(slot)].x)
                                 .arg(level.entities[size_t(slot)].y));
        QCOMPARE(survivors, entities);
        if (tile5.x() >= 0)
            QCOMPARE(level.levelTiles(0, tile5.x(), tile5.y()), qint16(5));
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y)
                QVERIFY(level.levelTiles(0, x, y) == (QPoint(x, y) == tile5 ? 5 : 0));
        QCOMPARE(level.playerX, qint16(7));
        QCOMPARE(level.playerY, qint16(7));
        QVERIFY(level.levelChanged);
        // The map was sized anew for the new grid.
        // The map was drawn anew at the new size: drawing it again changes nothing.
        const TwipRect map = window->geometry().rect("picInner");
        QCOMPARE(map.width > mapWidth, w > 8);
        QCOMPARE(map.height > mapHeight, h > 8);
        window->prcDrawTiles();
        QVERIFY(window->geometry().rect("picInner") == map);

        // The next opening shows the new size.
        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Current size is width:%1 , height:%2").arg(w).arg(h));
            QCOMPARE(box(dialog, "txtWidth")->text(), QString::number(w));
            button(dialog, "cmdDone")->click();
        });
    }

    void aLargerLevelGetsScrollBars()
    {
        auto* hscArea = window->findChild<QScrollBar*>("hscArea");
        auto* vscArea = window->findChild<QScrollBar*>("vscArea");
        QVERIFY(!hscArea->isEnabled());
        QVERIFY(!vscArea->isEnabled());
        ScriptedMessages messages;
        openResize([&](frmResize* dialog) {
            typeSize(dialog, "70", "8");
            QTest::mouseClick(corner(dialog, 3), Qt::LeftButton);
            // The main window was laid out anew while the dialog is open.
            QVERIFY(hscArea->isEnabled());
            QVERIFY(!vscArea->isEnabled());
            typeSize(dialog, "70", "70");
            QTest::mouseClick(corner(dialog, 0), Qt::LeftButton);
            QVERIFY(vscArea->isEnabled());
            button(dialog, "cmdDone")->click();
        });
        QCOMPARE(modLists::level.levelHeight, qint16(70));
    }

    void refusedSizesAreReported_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<bool>("tooLarge");
        QTest::newRow("zero") << "0" << "8" << false;
        QTest::newRow("negative") << "8" << "-3" << false;
        QTest::newRow("empty") << "" << "8" << false;
        QTest::newRow("letters") << "abc" << "8" << false;
        QTest::newRow("beyond 16 bits") << "40000" << "8" << false;
        QTest::newRow("wider than a map can be") << "71" << "8" << true;
        QTest::newRow("higher than a map can be") << "8" << "1000" << true;
    }

    void refusedSizesAreReported()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(bool, tooLarge);
        placeEntities();
        const Level before = modLists::level;
        const TwipRect map = window->geometry().rect("picInner");
        ScriptedMessages messages;
        messages.answer(QMessageBox::Ok);
        openResize([&](frmResize* dialog) {
            typeSize(dialog, width, height);
            if (tooLarge) {
                QVERIFY(cornersEnabled(dialog));
                QTest::mouseClick(corner(dialog, 0), Qt::LeftButton);
            } else {
                // The buttons are disabled; the handler itself still refuses.
                QVERIFY(cornersDisabled(dialog));
                dialog->cmdResize_Click(0);
            }
            QCOMPARE(box(dialog, "txtWidth")->text(), width);
            QCOMPARE(box(dialog, "txtHeight")->text(), height);
            dialog->close();
        });
        QCOMPARE(messages.shown().size(), 1);
        const Messages::Request& shown = messages.shown().first();
        if (tooLarge)
            QVERIFY(shown.text.contains("at most 70"));
        else
            QCOMPARE(shown.text, QString("On1y pu7 p0sit1f numb3r5 in teh box0rz plx\r\n\r\n                      kthxbye"));
        QCOMPARE(shown.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        QCOMPARE(shown.icon, Messages::Icon::None);
        QVERIFY(modLists::level == before);
        QVERIFY(window->geometry().rect("picInner") == map);
    }

    void doneAsksOnlyAboutUnappliedSizes_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<bool>("asks");
        QTest::addColumn<bool>("answerYes");
        QTest::newRow("the level's size") << "8" << "8" << false << false;
        QTest::newRow("rounds to the level's size") << " 8.4" << "7.5" << false << false;
        QTest::newRow("wider, No stays") << "9" << "8" << true << false;
        QTest::newRow("wider, Yes leaves") << "9" << "8" << true << true;
        QTest::newRow("zero counts as a change") << "8" << "0" << true << false;
        QTest::newRow("negative counts as a change") << "-1" << "8" << true << true;
        QTest::newRow("letters leave at once") << "abc" << "9" << false << false;
        QTest::newRow("empty leaves at once") << "12" << "" << false << false;
        QTest::newRow("beyond 16 bits leaves at once") << "40000" << "8" << false << false;
    }

    void doneAsksOnlyAboutUnappliedSizes()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(bool, asks);
        QFETCH(bool, answerYes);
        const bool staysOpen = asks && !answerYes;
        ScriptedMessages messages;
        if (asks)
            messages.answer(answerYes ? QMessageBox::Yes : QMessageBox::No);
        QPointer<frmResize> first;
        openResize([&](frmResize* dialog) {
            first = dialog;
            typeSize(dialog, width, height);
            button(dialog, "cmdDone")->click();
            QCOMPARE(dialog->isVisible(), staysOpen);
            if (staysOpen) {
                QCOMPARE(box(dialog, "txtWidth")->text(), width);
                QCOMPARE(box(dialog, "txtHeight")->text(), height);
                dialog->close();
            }
        });
        QCOMPARE(messages.texts(), asks ? QStringList{changesQuestion} : QStringList{});
        if (asks) {
            QCOMPARE(messages.shown().first().buttons, QMessageBox::Yes | QMessageBox::No);
            QCOMPARE(messages.shown().first().icon, Messages::Icon::None);
        }
        QVERIFY(modLists::level.levelWidth == 8 && modLists::level.levelHeight == 8 && !modLists::level.levelChanged);
        // Hidden by Done it is kept; closed it is gone.
        QCOMPARE(first.isNull(), staysOpen);
    }

    void resetPutsBackTheLevelSize()
    {
        ScriptedMessages messages;
        openResize([&](frmResize* dialog) {
            typeSize(dialog, "12", "3");
            QCOMPARE(shownRow(dialog), 6);
            QTest::mouseClick(button(dialog, "cmdReset"), Qt::LeftButton);
            QCOMPARE(box(dialog, "txtWidth")->text(), QString("8"));
            QCOMPARE(box(dialog, "txtHeight")->text(), QString("8"));
            QCOMPARE(shownRow(dialog), 4);
            typeSize(dialog, "", "x");
            QVERIFY(cornersDisabled(dialog));
            QTest::mouseClick(button(dialog, "cmdReset"), Qt::LeftButton);
            QVERIFY(cornersEnabled(dialog));
            button(dialog, "cmdDone")->click();
        });
        QVERIFY(messages.shown().isEmpty());
    }

    void doneKeepsTheDialogAndTheCloseBoxDropsIt()
    {
        ScriptedMessages messages;
        QPointer<frmResize> first;
        openResize([&](frmResize* dialog) {
            first = dialog;
            button(dialog, "cmdDone")->click();
        });
        QVERIFY(first);
        QVERIFY(first->isHidden());
        QCOMPARE(first->pictureCount(), 36);

        // Shown again without loading again; the close box asks nothing,
        // whatever is typed.
        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog, first.data());
            typeSize(dialog, "20", "3");
            dialog->close();
        });
        QVERIFY(first.isNull());

        // A new dialog next time, with freshly cut pictures.
        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog->pictureCount(), 36);
            QCOMPARE(shownRow(dialog), 4);
            button(dialog, "cmdDone")->click();
        });
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(!modLists::level.levelChanged);
    }

    void withoutTheSheetTheButtonsNameTheirCorners_data()
    {
        QTest::addColumn<QByteArray>("contents"); // empty: no file at all
        QTest::newRow("missing") << QByteArray();
        QTest::newRow("not a picture") << QByteArray("BM this is not a bitmap");
    }

    void withoutTheSheetTheButtonsNameTheirCorners()
    {
        QFETCH(QByteArray, contents);
        TempGame brokenGame;
        QVERIFY(brokenGame.isValid());
        const QString sheet = QDir(brokenGame.editorDir()).filePath("resize.bmp");
        QVERIFY(QFile::remove(sheet));
        if (!contents.isEmpty())
            brokenGame.writeFile(sheet, contents);

        ScriptedMessages messages;
        messages.answer(QMessageBox::Ok);
        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog->pictureCount(), 0);
            const QStringList names{"Top\nleft", "Top\nright", "Bottom\nleft", "Bottom\nright"};
            for (int i = 0; i < 4; ++i) {
                QCOMPARE(corner(dialog, i)->text(), names[i]);
                QVERIFY(corner(dialog, i)->icon().isNull());
            }
            typeSize(dialog, "x", "9");
            QVERIFY(cornersDisabled(dialog));
            typeSize(dialog, "9", "9");
            QVERIFY(cornersEnabled(dialog));
            QTest::mouseClick(corner(dialog, 3), Qt::LeftButton);
            button(dialog, "cmdDone")->click();
        });
        QCOMPARE(messages.shown().size(), 1);
        QVERIFY(messages.shown().first().text.contains("resize.bmp"));
        QCOMPARE(modLists::level.levelWidth, qint16(9));
    }
};

QTEST_MAIN(tst_frmresize)
#include "tst_frmresize.moc"
