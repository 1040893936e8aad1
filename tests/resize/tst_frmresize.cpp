#include "common/EditorSession.h"
#include "common/ScriptedMessages.h"
#include "common/TestLevels.h"
#include "common/TestPaths.h"
#include "model/modLists.h"
#include "resize/ResizePictures.h"
#include "resize/frmResize.h"

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

    std::unique_ptr<EditorSession> session;
    QImage sheet;

    // Cell values that tell where they started.
    static qint16 origin(int layer, int x, int y) { return static_cast<qint16>(layer * 100 + y * 10 + x); }
    static QPushButton* button(QWidget* dialog, const QString& name) { return dialog->findChild<QPushButton*>(name); }
    static QPushButton* corner(QWidget* dialog, int i) { return button(dialog, QStringLiteral("cmdResize%1").arg(i)); }
    static QLineEdit* box(QWidget* dialog, int i) { return dialog->findChild<QLineEdit*>(i == 0 ? "txtWidth" : "txtHeight"); }

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

    // What the dialog shows: "width x height", the row of the sheet on its
    // corner buttons (-1: none) and whether they are all "on" or "off".
    QString state(QWidget* dialog) const
    {
        int shownRow = -1;
        for (int row = 8; row >= 0; --row) {
            bool match = true;
            for (int i = 0; i < 4; ++i)
                match = match
                    && corner(dialog, i)->icon().pixmap(60, 60).toImage().convertToFormat(QImage::Format_ARGB32)
                        == resizepictures::withMagentaTransparent(sheet.copy(64 * i, 64 * row, 60, 60));
            shownRow = match ? row : shownRow;
        }
        int enabled = 0;
        for (int i = 0; i < 4; ++i)
            enabled += corner(dialog, i)->isEnabled();
        const char* buttons = enabled == 4 ? "on" : enabled == 0 ? "off" : "mixed";
        return QStringLiteral("%1x%2 row %3 %4").arg(box(dialog, 0)->text(), box(dialog, 1)->text()).arg(shownRow).arg(buttons);
    }

    // Opens the dialog with the main window's Resize button; `action` plays the user.
    void openResize(const std::function<void(frmResize*)>& action)
    {
        session->clickAndDrive("cmdResize", [&](QWidget* modal) { action(qobject_cast<frmResize*>(modal)); });
    }

private slots:
    void initTestCase()
    {
        sheet = QImage(QDir(sampleEditorDir()).filePath("resize.bmp"));
        for (int a = 0; a < 9; ++a) // rows that look alike could not be told apart
            for (int b = a + 1; b < 9; ++b)
                QVERIFY(sheet.copy(0, 64 * a, 256, 60) != sheet.copy(0, 64 * b, 256, 60));
    }

    void init()
    {
        session = std::make_unique<EditorSession>();
        QCOMPARE(session->error(), QString());
    }

    void cleanup() { session.reset(); }

    void resizeAtACorner_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("state"); // once typed
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("shift");
        QTest::addColumn<QStringList>("entities"); // from the 8 by 8 level's a(2,3) b(7,0) c(1,7) d(5,5) e(0,0)
        QTest::newRow("grow top left") << 0 << "9"
                                       << "9"
                                       << "9x9 row 0 on" << QSize(9, 9) << QPoint(1, 1)
                                       << QStringList{"a3,4", "b8,1", "c2,8", "d6,6", "e1,1"};
        QTest::newRow("grow top right") << 1 << "8"
                                        << " 9 "
                                        << "8x 9  row 1 on" << QSize(8, 9) << QPoint(0, 1)
                                        << QStringList{"a2,4", "b7,1", "c1,8", "d5,6", "e0,1"};
        QTest::newRow("grow bottom left") << 2 << "10"
                                          << "11"
                                          << "10x11 row 0 on" << QSize(10, 11) << QPoint(2, 0)
                                          << QStringList{"a4,3", "b9,0", "c3,7", "d7,5", "e2,0"};
        QTest::newRow("grow bottom right, half to even")
            << 3 << "10"
            << "8.5"
            << "10x8.5 row 3 on" << QSize(10, 8) << QPoint(0, 0) << QStringList{"a2,3", "b7,0", "c1,7", "d5,5", "e0,0"};
        QTest::newRow("shrink top left") << 0 << "6"
                                         << "5"
                                         << "6x5 row 8 on" << QSize(6, 5) << QPoint(-2, -3) << QStringList{"a0,0", "d3,2"};
        QTest::newRow("shrink top right") << 1 << "8"
                                          << "5"
                                          << "8x5 row 7 on" << QSize(8, 5) << QPoint(0, -3) << QStringList{"a2,0", "c1,4", "d5,2"};
        QTest::newRow("shrink bottom left") << 2 << "6"
                                            << "8"
                                            << "6x8 row 5 on" << QSize(6, 8) << QPoint(-2, 0) << QStringList{"a0,3", "b5,0", "d3,5"};
        QTest::newRow("shrink bottom right, half to even")
            << 3 << "6.5"
            << "7"
            << "6.5x7 row 8 on" << QSize(6, 7) << QPoint(0, 0) << QStringList{"a2,3", "d5,5", "e0,0"};
        QTest::newRow("wider, shorter at top left")
            << 0 << "10"
            << "6"
            << "10x6 row 6 on" << QSize(10, 6) << QPoint(2, -2) << QStringList{"a4,1", "c3,5", "d7,3"};
        QTest::newRow("narrower, taller at top right")
            << 1 << "6"
            << "10"
            << "6x10 row 2 on" << QSize(6, 10) << QPoint(0, 2) << QStringList{"a2,5", "c1,9", "d5,7", "e0,2"};
        QTest::newRow("every entity dropped") << 0 << "1"
                                              << "1"
                                              << "1x1 row 8 on" << QSize(1, 1) << QPoint(-7, -7) << QStringList{};
        QTest::newRow("up to the largest") << 0 << "70"
                                           << "70.5"
                                           << "70x70.5 row 0 on" << QSize(70, 70) << QPoint(62, 62)
                                           << QStringList{"a64,65", "b69,62", "c63,69", "d67,67", "e62,62"};
    }

    void resizeAtACorner()
    {
        QFETCH(int, index);
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QSize, size);
        QFETCH(QPoint, shift);
        Level& level = modLists::level;
        for (int layer = 0; layer < TileGrid::layerCount; ++layer)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    level.levelTiles(layer, x, y) = origin(layer, x, y);
        const QList<Entity> placed{{0, 2, 3, 1}, {3, 7, 0, 2}, {1, 1, 7, 0}, {4, 5, 5, 3}, {2, 0, 0, 4}};
        for (int i = 0; i < placed.size(); ++i)
            place(level, placed[i], QString(QChar(u'a' + i)));
        levelops::movePlayer(level, 7, 7);
        level.levelChanged = false;
        const double mapWidth = session->window().geometry().rect(MainControl::picInner).width;
        ScriptedMessages messages;
        openResize([&](frmResize* dialog) {
            typeSize(dialog, width, height);
            QTEST(state(dialog), "state");
            // Neither Enter nor Escape does anything, not even on a button.
            corner(dialog, index)->setFocus();
            for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
                QTest::keyClick(corner(dialog, index), key);
            QVERIFY(dialog->isVisible() && level.levelWidth == 8 && level.levelHeight == 8);
            QTest::mouseClick(corner(dialog, index), Qt::LeftButton);
            // The main window is drawn and laid out anew while the dialog stays open.
            QCOMPARE(session->window().findChild<QScrollBar*>("hscArea")->isEnabled(), size.width() == 70);
            QCOMPARE(state(dialog), QStringLiteral("%1x%2 row 4 on").arg(width, height));
            // A second press finds the level at the typed size: nothing moves again.
            const Level once = level;
            QTest::mouseClick(corner(dialog, index), Qt::LeftButton);
            QVERIFY(level == once);
            button(dialog, "cmdDone")->click(); // applied, so no question
        });
        QVERIFY(messages.shown().isEmpty());
        QCOMPARE(QSize(level.levelTiles.width(), level.levelTiles.height()), size);
        for (int layer = 0; layer < TileGrid::layerCount; ++layer)
            for (int x = 0; x < size.width(); ++x)
                for (int y = 0; y < size.height(); ++y) {
                    const QPoint from = QPoint(x, y) - shift;
                    const qint16 expected =
                        QRect(0, 0, 8, 8).contains(from) ? origin(layer, from.x(), from.y()) : TileGrid::emptyValue(layer);
                    QVERIFY2(level.levelTiles(layer, x, y) == expected,
                        qPrintable(QStringLiteral("layer %1 cell %2,%3").arg(layer).arg(x).arg(y)));
                }
        QStringList entities;
        for (int slot = 0; slot < level.entityCount; ++slot)
            entities.append(level.entityData[size_t(slot)]
                + QStringLiteral("%1,%2").arg(level.entities[size_t(slot)].x).arg(level.entities[size_t(slot)].y));
        QTEST(entities, "entities");
        QCOMPARE(QPoint(level.playerX, level.playerY), QPoint(7, 7));
        QVERIFY(level.levelChanged);
        QCOMPARE(session->window().geometry().rect(MainControl::picInner).width > mapWidth, size.width() > 8);
        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Current size is width:%1 , height:%2").arg(size.width()).arg(size.height()));
            QCOMPARE(state(dialog), QStringLiteral("%1x%2 row 4 on").arg(size.width()).arg(size.height()));
            dialog->close();
        });
    }

    // What a typed size does to the buttons and pictures, to a press of a
    // corner (a refused size is reported) and to Done (asked about when it
    // differs from the level's).
    void typedSizeAndDone_data()
    {
        QTest::addColumn<QString>("width");
        QTest::addColumn<QString>("height");
        QTest::addColumn<QString>("state"); // the pictures of the last size that could be compared stay
        QTest::addColumn<QString>("refusal"); // what a press of a corner reports
        QTest::addColumn<int>("answer"); // to Done's question; 0: none asked
        const QString invalid = "On1y pu7 p0sit1f numb3r5 in teh box0rz plx\r\n\r\n                      kthxbye";
        const QString tooLarge = "A level can be at most 70 cells wide and 70 cells high. Please type a smaller size.";
        QTest::newRow("the level's size") << "8"
                                          << "8"
                                          << "8x8 row 4 on"
                                          << "" << 0;
        QTest::newRow("rounds to the level's size") << " 8.4"
                                                    << "7.5"
                                                    << " 8.4x7.5 row 4 on"
                                                    << "" << 0;
        QTest::newRow("wider, No stays") << "9"
                                         << "8"
                                         << "9x8 row 3 on"
                                         << "" << int(QMessageBox::No);
        QTest::newRow("taller, Yes leaves") << "8"
                                            << "9"
                                            << "8x9 row 1 on"
                                            << "" << int(QMessageBox::Yes);
        QTest::newRow("zero") << "0"
                              << "8"
                              << "0x8 row 3 off" << invalid << int(QMessageBox::No);
        QTest::newRow("negative") << "8"
                                  << "-3"
                                  << "8x-3 row 4 off" << invalid << int(QMessageBox::Yes);
        QTest::newRow("empty") << ""
                               << "8"
                               << "x8 row 3 off" << invalid << 0;
        QTest::newRow("letters") << "abc"
                                 << "8"
                                 << "abcx8 row 3 off" << invalid << 0;
        QTest::newRow("beyond 16 bits") << "40000"
                                        << "8"
                                        << "40000x8 row 3 off" << invalid << 0;
        QTest::newRow("wider than a map can be") << "71"
                                                 << "8"
                                                 << "71x8 row 3 on" << tooLarge << int(QMessageBox::No);
        QTest::newRow("higher than a map can be") << "8"
                                                  << "1000"
                                                  << "8x1000 row 1 on" << tooLarge << int(QMessageBox::Yes);
    }

    void typedSizeAndDone()
    {
        QFETCH(QString, width);
        QFETCH(QString, height);
        QFETCH(QString, refusal);
        QFETCH(int, answer);
        const bool staysOpen = answer == QMessageBox::No;
        const Level before = modLists::level;
        ScriptedMessages messages;
        if (!refusal.isEmpty())
            messages.answer(QMessageBox::Ok);
        if (answer)
            messages.answer(QMessageBox::StandardButton(answer));
        QPointer<frmResize> first;
        openResize([&](frmResize* dialog) {
            first = dialog;
            typeSize(dialog, "10", "8");
            typeSize(dialog, width, height);
            QTEST(state(dialog), "state");
            // The handler refuses what the disabled buttons would have.
            if (!refusal.isEmpty())
                corner(dialog, 2)->isEnabled() ? QTest::mouseClick(corner(dialog, 2), Qt::LeftButton) : dialog->cmdResize_Click(2);
            button(dialog, "cmdDone")->click();
            QCOMPARE(dialog->isVisible(), staysOpen);
            if (staysOpen) {
                QTest::mouseClick(button(dialog, "cmdReset"), Qt::LeftButton);
                QCOMPARE(state(dialog), QString("8x8 row 4 on"));
                dialog->close(); // the close box asks nothing
            }
        });
        QStringList expected;
        if (!refusal.isEmpty())
            expected << refusal;
        if (answer)
            expected << "You have made changes since you last applyed, are you sure you want to leave?";
        QCOMPARE(messages.texts(), expected);
        if (!expected.isEmpty())
            QCOMPARE(messages.shown().last().buttons,
                answer ? QMessageBox::Yes | QMessageBox::No : QMessageBox::StandardButtons(QMessageBox::Ok));
        QVERIFY(modLists::level == before);
        // Hidden by Done it is kept; closed it is gone, and the next opening makes a new one.
        QCOMPARE(first.isNull(), staysOpen);
        openResize([&](frmResize* dialog) {
            QCOMPARE(dialog == first.data(), !staysOpen);
            QCOMPARE(state(dialog), QString("8x8 row 4 on"));
            dialog->close();
        });
        QVERIFY(first.isNull());
    }

    void withoutTheSheetTheButtonsNameTheirCorners()
    {
        QVERIFY(QFile::remove(QDir(session->game().editorDir()).filePath("resize.bmp")));
        ScriptedMessages messages;
        messages.answer(QMessageBox::Ok);
        openResize([&](frmResize* dialog) {
            for (int i = 0; i < 4; ++i)
                QCOMPARE(corner(dialog, i)->text(), QStringList({"Top\nleft", "Top\nright", "Bottom\nleft", "Bottom\nright"})[i]);
            typeSize(dialog, "x", "9");
            QCOMPARE(state(dialog), QString("xx9 row -1 off"));
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
