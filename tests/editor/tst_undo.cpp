#include "common/EditorSession.h"
#include "common/TestLevels.h"
#include "editor/MapRenderer.h"
#include "editor/ui/MapSurface.h"
#include "entitydata/EntityRows.h"
#include "levelfile/ChooserSteps.h"
#include "model/modLists.h"

#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <algorithm>
#include <memory>
#include <random>

namespace {

// What the level holds, whatever its unsaved-changes flag says.
Level content(Level level)
{
    level.levelChanged = false;
    return level;
}

// An Apply changes data texts and nothing else.
bool onlyTextsDiffer(Level before, const Level& after)
{
    before.entityData = after.entityData;
    before.playerData = after.playerData;
    return content(before) == content(after);
}

} // namespace

// Undo and redo in the main window as a designer meets them: every kind of
// edit made with the mouse and the dialogs, taken back and done again with
// the keys, the map drawn as a whole redraw draws it.
class tst_undo : public QObject
{
    Q_OBJECT

    std::unique_ptr<EditorSession> session;
    EditorPictures pictures;
    Level& level = modLists::level;
    // Start value of the random generator: the same edits on every run.
    std::mt19937 random{20250611};

    frmMain& window() { return session->window(); }
    MapSurface* map() { return window().findChild<MapSurface*>("picInner"); }
    QWidget* child(const QString& name) { return window().findChild<QWidget*>(name); }
    void click(const QString& name) { QTest::mouseClick(child(name), Qt::LeftButton, {}, QPoint(5, 5)); }
    int pick(int from, int to) { return std::uniform_int_distribution<int>(from, to)(random); }

    // Loads or saves the level `name` through the chooser; returns what the file holds then.
    QByteArray choose(const QString& command, const QString& name)
    {
        session->clickAndDrive(command, [&](QWidget* d) {
            const Chooser chooser{d};
            chooser.typeName(name);
            chooser.pressOk();
        });
        return TempGame::readFile(session->game().levelPath(name));
    }
    void resize(int width, int height, int corner)
    {
        session->clickAndDrive("cmdResize", [&](QWidget* d) {
            d->findChild<QLineEdit*>("txtWidth")->setText(QString::number(width));
            d->findChild<QLineEdit*>("txtHeight")->setText(QString::number(height));
            QTest::mouseClick(d->findChild<QPushButton*>(QStringLiteral("cmdResize%1").arg(corner)), Qt::LeftButton);
            QTest::mouseClick(d->findChild<QPushButton*>("cmdDone"), Qt::LeftButton);
        });
    }
    void applyData(int row, const QString& text)
    {
        session->clickAndDrive("cmdEntityData", [&](QWidget* d) {
            d->findChild<QListWidget*>("lstCurEnt")->setCurrentRow(row);
            auto* box = d->findChild<QLineEdit*>("txtData");
            box->selectAll();
            text.isEmpty() ? QTest::keyClick(box, Qt::Key_Delete) : QTest::keyClicks(box, text);
            QTest::mouseClick(d->findChild<QPushButton*>("cmdApply"), Qt::LeftButton);
            QTest::mouseClick(d->findChild<QPushButton*>("cmdClose"), Qt::LeftButton);
        });
    }
    void key(const QString& name, QWidget* focus = nullptr)
    {
        const QKeySequence sequence(name);
        QTest::keyClick(focus ? focus : &window(), Qt::Key(sequence[0].key()), sequence[0].keyboardModifiers());
    }
    // After a dialog, as the window system gives the main window the keyboard back.
    void activate()
    {
        window().activateWindow();
        QTRY_VERIFY(window().isActiveWindow());
    }
    // The map as a full redraw draws it, on a surface laid out for the level's size.
    bool mapIsAsDrawnWhole()
    {
        return map()->image() == maprenderer::renderLevel(pictures, level, window().curView)
            && map()->size() == map()->image().size();
    }

    // One random edit of any kind, with the mouse or through a dialog.
    void randomEdit()
    {
        const int kind = pick(0, 126);
        const QPoint inside(pick(0, level.levelWidth - 1), pick(0, level.levelHeight - 1));
        if (kind < 8) {
            click(QStringLiteral("optView%1").arg(pick(0, 4)));
        } else if (kind < 45) { // a stroke, now and then with both buttons or leaving the grid
            click(QStringLiteral("imgTile%1").arg(pick(0, modLists::catalogue.tileCount() - 1)));
            const Qt::MouseButton button = pick(0, 3) == 0 ? Qt::RightButton : Qt::LeftButton;
            const bool both = pick(0, 5) == 0;
            QTest::mousePress(map(), button, {}, cellPoint(inside.x(), inside.y()));
            if (both)
                QTest::mousePress(map(), Qt::MiddleButton, {}, cellPoint(inside.x(), inside.y()));
            for (int moves = pick(0, 8); moves > 0; --moves)
                QTest::mouseMove(map(), cellPoint(pick(-1, level.levelWidth), pick(-1, level.levelHeight)));
            if (both)
                QTest::mouseRelease(map(), Qt::MiddleButton, {}, cellPoint(inside.x(), inside.y()));
            QTest::mouseRelease(map(), button, {}, cellPoint(inside.x(), inside.y()));
        } else if (kind < 70) { // place, or remove where the view has entities
            click(QStringLiteral("imgEntity%1").arg(pick(0, modLists::catalogue.entityCount() - 1)));
            QPoint at = inside;
            for (int slot = 0; slot < level.entityCount && kind % 2; ++slot)
                if (level.entities[size_t(slot)].layer == window().curView && pick(0, 2) == 0)
                    at = QPoint(level.entities[size_t(slot)].x, level.entities[size_t(slot)].y);
            QTest::mouseClick(map(), kind % 2 ? Qt::RightButton : Qt::LeftButton, {}, cellPoint(at.x(), at.y()));
        } else if (kind < 78) {
            click("imgGuy");
            QTest::mouseClick(map(), Qt::LeftButton, {}, cellPoint(inside.x(), inside.y()));
        } else if (kind < 86) { // shrinking and growing at every corner, now and then to the same size
            const bool same = pick(0, 5) == 0;
            resize(same ? level.levelWidth : pick(2, 20), same ? level.levelHeight : pick(2, 20), pick(0, 3));
        } else if (kind < 95) {
            const int row = pick(0, level.entityCount);
            applyData(
                row, pick(0, 4) == 0 ? entityrows::dataText(level, row) : QStringLiteral("t%1").arg(pick(0, 999)));
        } else if (kind < 100) {
            QTest::mouseClick(map(), Qt::LeftButton, {}, QPoint(3, 3)); // the margin: changed, but nothing to undo
        } else if (kind < 115) { // a rectangle, a fill or a line, of tiles or entities, either way round
            const Tool tool = kind < 105 ? Tool::Rectangle : kind < 110 ? Tool::Fill : Tool::Line;
            const bool entities = tool != Tool::Fill && pick(0, 2) == 0;
            click(entities ? QStringLiteral("imgEntity%1").arg(pick(0, modLists::catalogue.entityCount() - 1))
                           : QStringLiteral("imgTile%1").arg(pick(0, 3)));
            window().chooseTool(tool);
            const Qt::MouseButton button = pick(0, 3) == 0 ? Qt::RightButton : Qt::LeftButton;
            QTest::mousePress(map(), button, {}, cellPoint(inside.x(), inside.y()));
            const QPoint to(pick(-1, level.levelWidth), pick(-1, level.levelHeight));
            QTest::mouseMove(map(), cellPoint(to.x(), to.y()));
            QTest::mouseRelease(map(), button, {}, cellPoint(to.x(), to.y()));
            window().chooseTool(Tool::Brush);
        } else { // a selection cut, deleted, moved by a drag, or copied and pasted at the pointer
            activate();
            key("Esc"); // a press in the last selection would move it
            window().chooseTool(Tool::Select);
            const QPoint corner(pick(-1, level.levelWidth), pick(-1, level.levelHeight));
            QTest::mousePress(map(), Qt::LeftButton, {}, cellPoint(inside.x(), inside.y()));
            QTest::mouseRelease(map(), Qt::LeftButton, {}, cellPoint(corner.x(), corner.y()));
            const QPoint to(pick(-2, level.levelWidth + 1), pick(-2, level.levelHeight + 1));
            if (kind % 4 == 0) {
                key("Ctrl+X");
            } else if (kind % 4 == 1) {
                key("Del");
            } else if (kind % 4 == 2) {
                QTest::mousePress(map(), Qt::LeftButton, {}, cellPoint(inside.x(), inside.y()));
                QTest::mouseMove(map(), cellPoint(to.x(), to.y()));
                QTest::mouseRelease(map(), Qt::LeftButton, {}, cellPoint(to.x(), to.y()));
            } else {
                key("Ctrl+C");
                QTest::mouseMove(map(), cellPoint(to.x(), to.y()));
                key("Ctrl+V");
            }
            window().chooseTool(Tool::Brush);
        }
    }

private slots:
    void init()
    {
        session = std::make_unique<EditorSession>(TempGame::SampleLevels);
        QCOMPARE(session->error(), QString());
        QVERIFY(loadEditorPictures(QDir::currentPath(), modLists::catalogue, pictures));
    }

    void cleanup() { session.reset(); }

    void randomEditsGoBackAndForth()
    {
        click("imgTile3"); // a step that the load must clear
        QTest::mouseClick(map(), Qt::LeftButton, {}, cellPoint(1, 1));
        choose("cmdLoad", "Crossing");
        const QByteArray loaded = choose("cmdSave", "Start");
        // The model: the level after each step, and whether the step counts as an unsaved change.
        std::vector<Level> states{content(level)};
        std::vector<bool> counts;
        int saved = 0;
        auto expectedChanged = [&](int at) {
            return std::any_of(
                counts.begin() + std::min(at, saved), counts.begin() + std::max(at, saved), [](bool c) { return c; });
        };
        for (int edit = 0; edit < 400; ++edit) {
            randomEdit();
            if (!(content(level) == states.back())) {
                counts.push_back(!onlyTextsDiffer(states.back(), level));
                states.push_back(content(level));
            }
            QCOMPARE(window().history().undoSteps(), int(counts.size())); // one step per change, none for nothing
            QVERIFY2(mapIsAsDrawnWhole(), qPrintable(QStringLiteral("after edit %1").arg(edit)));
            if (edit == 200) {
                choose("cmdSave", "Middle");
                saved = int(counts.size());
            }
        }
        QVERIFY(counts.size() > 200);
        QVERIFY(std::count(counts.begin(), counts.end(), false) > 10); // data texts were applied

        activate();
        for (size_t step = 0; step <= counts.size(); ++step) // the last with nothing left to undo
            key("Ctrl+Z");
        QVERIFY(content(level) == states.front());
        QVERIFY(level.levelChanged); // the saved state lies half-way
        QVERIFY(mapIsAsDrawnWhole());
        QCOMPARE(choose("cmdSave", "End"), loaded);
        saved = 0;
        while (window().history().canRedo())
            window().redo();
        QVERIFY(content(level) == states.back());
        QVERIFY(mapIsAsDrawnWhole());

        // Back and forth at random with the keys, whatever control of the window has the focus.
        activate();
        const QStringList focusable{"vscArea", "vscTiles", "cmdResize", "optView3", "cmdEntityData", "cmdLoad"};
        int at = int(counts.size());
        for (int move = 0; move < 300; ++move) {
            const bool back = at > 0 && (at == int(counts.size()) || pick(0, 1) == 0);
            QWidget* focus = child(focusable[pick(0, int(focusable.size()) - 1)]);
            focus->setFocus();
            key(back ? "Ctrl+Z" : pick(0, 1) ? "Ctrl+Y" : "Ctrl+Shift+Z", focus);
            at += back ? -1 : 1;
            QVERIFY2(
                content(level) == states[size_t(at)], qPrintable(QStringLiteral("move %1 to %2").arg(move).arg(at)));
            QCOMPARE(level.levelChanged, expectedChanged(at));
            QVERIFY(mapIsAsDrawnWhole());
        }
    }

    // Moved with either button on any view, a player start that a resize left
    // just outside the grid, its picture in the margin, leaves no trace there.
    void aPlayerStartLeftOutsideLeavesNoTrace()
    {
        levelops::movePlayer(level, 7, 3);
        resize(7, 8, 3); // column 7 goes: the start's picture shows in the right margin
        click("optView2");
        click("imgGuy");
        QTest::mouseClick(map(), Qt::RightButton, {}, cellPoint(1, 2));
        QCOMPARE(QPoint(level.playerX, level.playerY), QPoint(1, 2));
        QVERIFY(mapIsAsDrawnWhole());
        window().undo();
        QCOMPARE(QPoint(level.playerX, level.playerY), QPoint(7, 3));
        QVERIFY(mapIsAsDrawnWhole());
    }
};

QTEST_MAIN(tst_undo)
#include "tst_undo.moc"
