#include "common/EditorSession.h"
#include "common/ScriptedMessages.h"
#include "common/TestLevels.h"
#include "common/TestPaths.h"
#include "model/modLists.h"
#include "resize/ResizeOperation.h"
#include "resize/ResizePictures.h"
#include "resize/ui/frmResize.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <memory>

class tst_frmresize : public QObject
{
    Q_OBJECT

    enum Corner { TopLeft, TopRight, BottomLeft, BottomRight }; // the corner buttons' indexes

    std::unique_ptr<EditorSession> session;
    QImage sheet;

    static QPushButton* button(QWidget* dialog, const QString& name) { return dialog->findChild<QPushButton*>(name); }
    static QPushButton* cornerButton(QWidget* dialog, int i)
    {
        return button(dialog, QStringLiteral("cmdResize%1").arg(i));
    }
    static QLineEdit* box(QWidget* dialog, int i)
    {
        return dialog->findChild<QLineEdit*>(i == 0 ? "txtWidth" : "txtHeight");
    }

    // Types over both boxes as the user does: select all, then type (or delete).
    static void typeSize(QWidget* dialog, const QString& width, const QString& height)
    {
        for (int i = 0; i < 2; ++i) {
            const QString& text = i == 0 ? width : height;
            box(dialog, i)->setFocus();
            box(dialog, i)->selectAll();
            text.isEmpty() ? QTest::keyClick(box(dialog, i), Qt::Key_Delete) : QTest::keyClicks(box(dialog, i), text);
        }
    }

    // The row of the sheet whose pictures the corner buttons show; -1: none.
    int pictureRow(QWidget* dialog) const
    {
        for (int row = 0; row < 9; ++row) {
            bool match = true;
            for (int i = 0; i < 4; ++i)
                match = match
                    && cornerButton(dialog, i)->icon().pixmap(60, 60).toImage().convertToFormat(QImage::Format_ARGB32)
                        == resizepictures::withMagentaTransparent(sheet.copy(64 * i, 64 * row, 60, 60));
            if (match)
                return row;
        }
        return -1;
    }

    static int enabledCorners(QWidget* dialog)
    {
        int enabled = 0;
        for (int i = 0; i < 4; ++i)
            enabled += cornerButton(dialog, i)->isEnabled();
        return enabled;
    }

    static QStringList boxTexts(QWidget* dialog) { return {box(dialog, 0)->text(), box(dialog, 1)->text()}; }

    // Opens the dialog with the main window's Resize button; `action` plays the user.
    void openResize(const std::function<void(frmResize*)>& action)
    {
        session->clickAndDrive("cmdResize", [&](QWidget* modal) { action(qobject_cast<frmResize*>(modal)); });
    }

private slots:
    void initTestCase() { sheet = QImage(QDir(sampleEditorDir()).filePath("resize.bmp")); }

    void init()
    {
        session = std::make_unique<EditorSession>();
        QCOMPARE(session->error(), QString());
    }

    void cleanup() { session.reset(); }

    // A press of a corner resizes the level as the resize operation does at
    // that corner (tst_level checks where cells and entities go); the main
    // window is drawn and laid out anew while the dialog stays open.
    void resizeAtACorner_data()
    {
        QTest::addColumn<Corner>("corner");
        QTest::addColumn<QStringList>("typed"); // width and height
        QTest::addColumn<int>("pictures"); // the sheet row the buttons show once typed (4: the same size)
        QTest::newRow("grow top left") << TopLeft << QStringList{"9", "9"} << 0;
        QTest::newRow("shrink top right") << TopRight << QStringList{"8", "5"} << 7;
        QTest::newRow("shrink bottom left") << BottomLeft << QStringList{"6", "8"} << 5;
        QTest::newRow("shrink bottom right, half to even") << BottomRight << QStringList{"6.5", "7"} << 8;
        QTest::newRow("wider, shorter at top left") << TopLeft << QStringList{"10", "6"} << 6;
        QTest::newRow("narrower, taller at bottom left") << BottomLeft << QStringList{"6", "10"} << 2;
        QTest::newRow("up to the largest") << TopLeft << QStringList{"70", "70.5"} << 0;
    }

    void resizeAtACorner()
    {
        QFETCH(Corner, corner);
        QFETCH(QStringList, typed);
        Level& level = modLists::level;
        for (int x = 0; x < 8; ++x)
            level.levelTiles(1, x, x) = qint16(x);
        for (const Entity& entity : {Entity{0, 2, 3, 1}, Entity{3, 7, 0, 2}, Entity{1, 1, 7, 0}, Entity{4, 5, 5, 3}})
            place(level, entity, QStringLiteral("from %1,%2").arg(entity.x).arg(entity.y));
        levelops::movePlayer(level, 7, 7);
        level.levelChanged = false;
        Level expected = level;
        QCOMPARE(resizeop::resizeLevel(expected, typed[0], typed[1], corner), resizeop::Outcome::Applied);
        expected.levelChanged = true; // what the dialog's press adds
        const QSize size(expected.levelWidth, expected.levelHeight);
        const double mapWidth = session->window().geometry().rect(MainControl::picInner).width;
        ScriptedMessages messages;
        openResize([&](frmResize* dialog) {
            typeSize(dialog, typed[0], typed[1]);
            QTEST(pictureRow(dialog), "pictures");
            QCOMPARE(enabledCorners(dialog), 4);
            // Neither Enter nor Escape does anything, not even on a button.
            cornerButton(dialog, corner)->setFocus();
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(cornerButton(dialog, corner), key);
            QVERIFY(dialog->isVisible() && level.levelWidth == 8 && level.levelHeight == 8);
            QTest::mouseClick(cornerButton(dialog, corner), Qt::LeftButton);
            QCOMPARE(session->window().findChild<QScrollBar*>("hscArea")->isEnabled(), size.width() == 70);
            QCOMPARE(session->window().geometry().rect(MainControl::picInner).width > mapWidth, size.width() > 8);
            QCOMPARE(boxTexts(dialog), typed);
            QCOMPARE(pictureRow(dialog), 4);
            // A second press finds the level at the typed size: nothing moves again.
            QTest::mouseClick(cornerButton(dialog, corner), Qt::LeftButton);
            button(dialog, "cmdDone")->click(); // applied, so no question
        });
        QVERIFY(messages.shown().isEmpty());
        QVERIFY(level == expected);
        openResize([&](frmResize* dialog) {
            QCOMPARE(boxTexts(dialog), (QStringList{QString::number(size.width()), QString::number(size.height())}));
            dialog->close();
        });
    }

    // What a typed size does to the buttons and pictures, to a press of a
    // corner (a refused size is reported) and to Done (asked about when it
    // differs from the level's).
    void typedSizeAndDone_data()
    {
        QTest::addColumn<QStringList>("typed"); // over 10 and 8, on the 8 by 8 level
        QTest::addColumn<int>("pictures"); // of the last size that could be compared
        QTest::addColumn<bool>("enabled"); // the corner buttons
        QTest::addColumn<QString>("refusal"); // what a press of a corner reports
        QTest::addColumn<QMessageBox::StandardButton>("answer"); // to Done's question, if asked
        const QString invalid = "On1y pu7 p0sit1f numb3r5 in teh box0rz plx\r\n\r\n                      kthxbye";
        const QString tooLarge = "A level can be at most 70 cells wide and 70 cells high. Please type a smaller size.";
        const QMessageBox::StandardButton none = QMessageBox::NoButton, yes = QMessageBox::Yes, no = QMessageBox::No;
        QTest::newRow("the level's size") << QStringList{"8", "8"} << 4 << true << QString() << none;
        QTest::newRow("rounds to the level's size") << QStringList{" 8.4", "7.5"} << 4 << true << QString() << none;
        QTest::newRow("wider, No stays") << QStringList{"9", "8"} << 3 << true << QString() << no;
        QTest::newRow("taller, Yes leaves") << QStringList{"8", "9"} << 1 << true << QString() << yes;
        QTest::newRow("zero") << QStringList{"0", "8"} << 3 << false << invalid << no;
        QTest::newRow("empty") << QStringList{"", "8"} << 3 << false << invalid << none;
        QTest::newRow("wider than a map can be") << QStringList{"71", "8"} << 3 << true << tooLarge << no;
        QTest::newRow("higher than a map can be") << QStringList{"8", "1000"} << 1 << true << tooLarge << yes;
    }

    void typedSizeAndDone()
    {
        QFETCH(QStringList, typed);
        QFETCH(bool, enabled);
        QFETCH(QString, refusal);
        QFETCH(QMessageBox::StandardButton, answer);
        const bool asked = answer != QMessageBox::NoButton;
        const bool staysOpen = answer == QMessageBox::No;
        const Level before = modLists::level;
        ScriptedMessages messages;
        if (!refusal.isEmpty())
            messages.answer(QMessageBox::Ok);
        if (asked)
            messages.answer(answer);
        QPointer<frmResize> first;
        openResize([&](frmResize* dialog) {
            first = dialog;
            typeSize(dialog, "10", "8");
            typeSize(dialog, typed[0], typed[1]);
            QTEST(pictureRow(dialog), "pictures");
            QCOMPARE(enabledCorners(dialog), enabled ? 4 : 0);
            // The handler refuses what the disabled buttons would have.
            if (!refusal.isEmpty())
                enabled ? QTest::mouseClick(cornerButton(dialog, 2), Qt::LeftButton) : dialog->cmdResize_Click(2);
            button(dialog, "cmdDone")->click();
            QCOMPARE(dialog->isVisible(), staysOpen);
            if (staysOpen) {
                QTest::mouseClick(button(dialog, "cmdReset"), Qt::LeftButton);
                QCOMPARE(boxTexts(dialog), (QStringList{"8", "8"}));
                QCOMPARE(pictureRow(dialog), 4);
                dialog->close(); // the close box asks nothing
            }
        });
        QStringList expected;
        if (!refusal.isEmpty())
            expected << refusal;
        if (asked)
            expected << "You have made changes since you last applyed, are you sure you want to leave?";
        QCOMPARE(messages.texts(), expected);
        QVERIFY(modLists::level == before);
        // Hidden by Done it is kept; closed it is gone, and the next opening makes a new one.
        QCOMPARE(first.isNull(), staysOpen);
        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog == first.data(), !staysOpen);
            QCOMPARE(boxTexts(dialog), (QStringList{"8", "8"}));
            dialog->close();
        });
        QVERIFY(first.isNull());
    }

    void withoutTheSheetTheButtonsNameTheirCorners_data()
    {
        QTest::addColumn<bool>("cut");
        QTest::addColumn<QString>("problem");
        QTest::newRow("missing") << false << QString("was not found");
        QTest::newRow("cut in half") << true << QString("is damaged: the file ends before its picture does");
    }

    void withoutTheSheetTheButtonsNameTheirCorners()
    {
        QFETCH(bool, cut);
        const QString path = QDir(session->game().editorDir()).filePath("resize.bmp");
        const QByteArray whole = TempGame::readFile(path);
        QVERIFY(QFile::remove(path));
        if (cut)
            session->game().writeFile(path, whole.first(whole.size() / 2));
        ScriptedMessages messages;
        messages.answer(QMessageBox::Ok);
        openResize([&](frmResize* dialog) {
            const QStringList names{"Top\nleft", "Top\nright", "Bottom\nleft", "Bottom\nright"};
            for (int i = 0; i < 4; ++i)
                QCOMPARE(cornerButton(dialog, i)->text(), names[i]);
            typeSize(dialog, "x", "9");
            QCOMPARE(pictureRow(dialog), -1);
            QCOMPARE(enabledCorners(dialog), 0);
            typeSize(dialog, "9", "9");
            QTest::mouseClick(cornerButton(dialog, 3), Qt::LeftButton);
            button(dialog, "cmdDone")->click();
        });
        QFETCH(QString, problem);
        QCOMPARE(messages.texts(),
            QStringList{"The picture sheet \"resize.bmp\" " + problem
                + ". The corner buttons show their corners' names instead of pictures."});
        QCOMPARE(modLists::level.levelWidth, qint16(9));
    }
};

QTEST_MAIN(tst_frmresize)
#include "tst_frmresize.moc"
