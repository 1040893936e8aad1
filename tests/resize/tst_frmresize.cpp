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
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

namespace {

QPushButton* button(QWidget* dialog, const QString& name)
{
    return dialog->findChild<QPushButton*>(name);
}

QPushButton* corner(QWidget* dialog, int i)
{
    return button(dialog, QStringLiteral("cmdResize%1").arg(i));
}

QLineEdit* box(QWidget* dialog, const char* name)
{
    return dialog->findChild<QLineEdit*>(QString::fromLatin1(name));
}

// Replaces a box's text as the user does: select it all and type over it,
// or, when `paste`, replace it in one change.
void typeInto(QLineEdit* line, const QString& text, bool paste = false)
{
    line->setFocus();
    line->selectAll();
    if (text.isEmpty())
        QTest::keyClick(line, Qt::Key_Delete);
    else if (paste)
        line->insert(text);
    else
        QTest::keyClicks(line, text);
}

void typeSize(QWidget* dialog, const QString& width, const QString& height, bool paste = false)
{
    typeInto(box(dialog, "txtWidth"), width, paste);
    typeInto(box(dialog, "txtHeight"), height, paste);
}

// 1 when all four corner buttons are enabled, 0 when all are disabled, else -1.
int cornersEnabled(QWidget* dialog)
{
    int enabled = 0;
    for (int i = 0; i < 4; ++i)
        enabled += corner(dialog, i)->isEnabled();
    return enabled == 4 ? 1 : enabled == 0 ? 0 : -1;
}

} // namespace

class tst_frmresize : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempGame> game;
    std::unique_ptr<frmMain> window;
    std::vector<QImage> sheetPictures; // the sample sheet's, as the buttons should show them

    // Which row of pictures the four corner buttons show, or -1 for none.
    int shownRow(QWidget* dialog) const
    {
        for (int row = 0; row < 9; ++row) {
            bool match = true;
            for (int i = 0; i < 4; ++i)
                match = match
                    && corner(dialog, i)->icon().pixmap(QSize(60, 60)).toImage().convertToFormat(QImage::Format_ARGB32)
                        == sheetPictures[size_t(4 * row + i)];
            if (match)
                return row;
        }
        return -1;
    }

    // Opens the dialog with the main window's Resize button; `action` plays the user.
    void openResize(const std::function<void(frmResize*)>& action)
    {
        ModalDriver driver([&](QWidget* modal) {
            auto* dialog = qobject_cast<frmResize*>(modal);
            QVERIFY(dialog);
            QVERIFY(QTest::qWaitForWindowActive(dialog));
            action(dialog);
        });
        window->findChild<QPushButton*>("cmdResize")->click();
        QVERIFY(driver.ran());
        QVERIFY(!QApplication::activeModalWidget());
    }

private slots:
    void initTestCase()
    {
        game = std::make_unique<TempGame>();
        QVERIFY(game->isValid());
        QCOMPARE(modLists::readElements(game->editorDir()), QString());
        for (const QImage& picture : resizepictures::cutSheet(QImage(QDir(game->editorDir()).filePath("resize.bmp"))))
            sheetPictures.push_back(resizepictures::withMagentaTransparent(picture));
        // The rows must differ, or the tests could not tell them apart.
        for (int a = 0; a < 9; ++a)
            for (int b = a + 1; b < 9; ++b)
                QVERIFY(sheetPictures[size_t(4 * a)] != sheetPictures[size_t(4 * b)] || sheetPictures[size_t(4 * a + 3)] != sheetPictures[size_t(4 * b + 3)]);
    }

    void cleanupTestCase() { game.reset(); }

    void init()
    {
        window = std::make_unique<frmMain>();
        QCOMPARE(window->Form_Load(), QString());
        window->show();
    }

    void cleanup() { window.reset(); }

    void opensWithTheLevelSizeInItsDesign()
    {
        levelops::replaceGrid(modLists::level, 12, 5);
        ScriptedMessages messages;
        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog->windowTitle(), QString("Current size is width:12 , height:5"));
            QCOMPARE(box(dialog, "txtWidth")->text(), QString("12"));
            QCOMPARE(box(dialog, "txtHeight")->text(), QString("5"));
            QCOMPARE(cornersEnabled(dialog), 1);
            QCOMPARE(shownRow(dialog), 4);
            // The design, kept at any size of the dialog.
            for (QSize size : {QSize(313, 217), QSize(500, 120)}) {
                dialog->resize(size);
                QCOMPARE(corner(dialog, 1)->geometry(), QRect(232, 8, 73, 73));
                QCOMPARE(corner(dialog, 2)->geometry(), QRect(8, 136, 73, 73));
                QCOMPARE(box(dialog, "txtHeight")->geometry(), QRect(120, 112, 81, 19));
                QCOMPARE(button(dialog, "cmdDone")->geometry(), QRect(112, 176, 81, 33));
            }
            // Neither Enter nor Escape does anything, wherever the focus is.
            typeSize(dialog, "9", "9");
            for (QWidget* focus : std::initializer_list<QWidget*>{corner(dialog, 3), button(dialog, "cmdDone"), box(dialog, "txtWidth")}) {
                focus->setFocus();
                for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                    QTest::keyClick(focus, key);
            }
            QVERIFY(dialog->isVisible());
            QCOMPARE(modLists::level.levelWidth, qint16(12));
            dialog->close();
        });
        QVERIFY(messages.shown().isEmpty());
    }

    void typedSizeChoosesThePictures_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<int>("row"); // with the buttons disabled, that of the last valid size
        QTest::newRow("wider and taller") << "9" << "9" << true << 0;
        QTest::newRow("shorter") << "8" << "7" << true << 7;
        QTest::newRow("wider and shorter") << "10" << "5" << true << 6;
        QTest::newRow("taller and narrower") << "7" << "20" << true << 2;
        QTest::newRow("narrower and shorter") << "1" << "1" << true << 8;
        QTest::newRow("a half rounds to even: narrower") << "6.5" << "8" << true << 5;
        QTest::newRow("a half rounds to even: taller") << "7.5" << "9" << true << 1;
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
        ScriptedMessages messages;
        openResize([&](frmResize* dialog) {
            typeSize(dialog, "10", "8");
            QCOMPARE(shownRow(dialog), 3);
            typeSize(dialog, width, height, true);
            QCOMPARE(cornersEnabled(dialog), int(enabled));
            QTEST(shownRow(dialog), "row");
            // Reset puts back the level's size.
            QTest::mouseClick(button(dialog, "cmdReset"), Qt::LeftButton);
            QCOMPARE(box(dialog, "txtWidth")->text(), QString("8"));
            QCOMPARE(box(dialog, "txtHeight")->text(), QString("8"));
            QCOMPARE(cornersEnabled(dialog), 1);
            QCOMPARE(shownRow(dialog), 4);
            dialog->close();
        });
        QVERIFY(!modLists::level.levelChanged);
    }

    void resizeAtACorner_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QString>("entity"); // where the entity at (4, 4) went
        QTest::newRow("grow top left to the widest") << 0 << QSize(70, 10) << "66,6";
        QTest::newRow("shrink top right") << 1 << QSize(6, 7) << "4,3";
        QTest::newRow("wider, shorter at bottom left") << 2 << QSize(9, 6) << "5,4";
        QTest::newRow("shrink bottom right") << 3 << QSize(6, 6) << "4,4";
    }

    void resizeAtACorner()
    {
        QFETCH(int, index);
        QFETCH(QSize, size);
        QFETCH(QString, entity);
        Level& level = modLists::level;
        levelops::movePlayer(level, 7, 7);
        levelops::appendEntity(level, {1, 4, 4, 2}, "kept");
        const QString width = QString::number(size.width());
        const QString height = QString::number(size.height());
        const TwipRect mapBefore = window->geometry().rect("picInner");

        ScriptedMessages messages;
        openResize([&](frmResize* dialog) {
            typeSize(dialog, width, height);
            QTest::mouseClick(corner(dialog, index), Qt::LeftButton);
            QCOMPARE(QSize(level.levelWidth, level.levelHeight), size);
            // The main window was drawn and laid out anew while the dialog is open.
            QCOMPARE(window->findChild<QScrollBar*>("hscArea")->isEnabled(), size.width() == 70);
            // The typed size stays, now equal to the level's; the caption tells the size at opening.
            QCOMPARE(box(dialog, "txtWidth")->text(), width);
            QCOMPARE(shownRow(dialog), 4);
            QCOMPARE(dialog->windowTitle(), QString("Current size is width:8 , height:8"));
            // So Done leaves without asking.
            button(dialog, "cmdDone")->click();
        });
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(QStringLiteral("%1,%2").arg(level.entities[0].x).arg(level.entities[0].y), entity);
        QCOMPARE(level.entityData[0], QString("kept"));
        QCOMPARE(level.playerX, qint16(7));
        QCOMPARE(level.playerY, qint16(7));
        QVERIFY(level.levelChanged);
        // The map was drawn at the new size: drawing it again changes nothing.
        const TwipRect map = window->geometry().rect("picInner");
        QCOMPARE(map.width > mapBefore.width, size.width() > 8);
        window->prcDrawTiles();
        QVERIFY(window->geometry().rect("picInner") == map);

        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Current size is width:%1 , height:%2").arg(width, height));
            button(dialog, "cmdDone")->click();
        });
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
        levelops::appendEntity(modLists::level, {0, 7, 7, 0}, "kept");
        const Level before = modLists::level;
        const TwipRect map = window->geometry().rect("picInner");
        ScriptedMessages messages;
        messages.answer(QMessageBox::Ok);
        openResize([&](frmResize* dialog) {
            typeSize(dialog, width, height);
            // Invalid sizes disable the buttons; the handler itself refuses them too.
            QCOMPARE(cornersEnabled(dialog), int(tooLarge));
            tooLarge ? QTest::mouseClick(corner(dialog, 0), Qt::LeftButton) : dialog->cmdResize_Click(0);
            QCOMPARE(box(dialog, "txtWidth")->text(), width);
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
                dialog->close(); // the close box asks nothing
            }
        });
        QCOMPARE(messages.texts(),
            asks ? QStringList{"You have made changes since you last applyed, are you sure you want to leave?"} : QStringList{});
        if (asks)
            QCOMPARE(messages.shown().first().buttons, QMessageBox::Yes | QMessageBox::No);
        QVERIFY(!modLists::level.levelChanged);
        // Hidden by Done it is kept; closed it is gone, and the next opening makes a new one.
        QCOMPARE(first.isNull(), staysOpen);
        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog == first.data(), !staysOpen);
            QCOMPARE(dialog->pictureCount(), 36);
            QCOMPARE(box(dialog, "txtWidth")->text(), QString("8"));
            dialog->close();
        });
        QVERIFY(first.isNull());
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
        const QString sheet = QDir(brokenGame.editorDir()).filePath("resize.bmp");
        QVERIFY(QFile::remove(sheet));
        if (!contents.isEmpty())
            brokenGame.writeFile(sheet, contents);

        ScriptedMessages messages;
        messages.answer(QMessageBox::Ok);
        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog->pictureCount(), 0);
            const QStringList names{"Top\nleft", "Top\nright", "Bottom\nleft", "Bottom\nright"};
            for (int i = 0; i < 4; ++i)
                QCOMPARE(corner(dialog, i)->text(), names[i]);
            typeSize(dialog, "x", "9");
            QCOMPARE(cornersEnabled(dialog), 0);
            typeSize(dialog, "9", "9");
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
