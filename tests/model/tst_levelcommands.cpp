#include "common/TestLevels.h"
#include "model/DataTextCommand.h"
#include "model/LevelEditCommand.h"
#include "model/LevelHistory.h"
#include "resize/ResizeCommand.h"

#include <QTest>

namespace {

// An 8 by 8 level with a tile of its own in every cell of every layer and
// five entities with data texts, two of them near the right edge.
Level busyLevel()
{
    Level level;
    levelops::makeNewLevel(level);
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        for (int x = 0; x < 8; ++x)
            for (int y = 0; y < 8; ++y)
                level.levelTiles(layer, x, y) = static_cast<qint16>(layer * 100 + y * 10 + x);
    const QList<Entity> entities{{0, 1, 1, 0}, {2, 7, 3, 1}, {0, 4, 4, 2}, {3, 6, 0, 3}, {0, 1, 1, 4}};
    for (int i = 0; i < entities.size(); ++i)
        place(level, entities[i], QStringLiteral("data %1").arg(i));
    levelops::movePlayer(level, 7, 7);
    level.playerData = "left";
    return level;
}

std::unique_ptr<LevelCommand> resized(Level& level, const QString& width, const QString& height, int corner)
{
    resizeop::ResizeRecord record;
    if (resizeop::resizeLevel(level, width, height, corner, &record) != resizeop::Outcome::Applied)
        qFatal("the test's resize was refused");
    return std::make_unique<ResizeCommand>(level, std::move(record));
}

// Does step `name` to the level, as the editor does, and returns it.
std::unique_ptr<LevelCommand> doStep(Level& level, const QString& name)
{
    if (name.startsWith("resize"))
        return resized(level, name.section(' ', 1, 1), name.section(' ', 2, 2), name.section(' ', 3, 3).toInt());
    if (name.startsWith("data"))
        return DataTextCommand::store(level, name.section(' ', 1, 1).toInt(), "new text");
    auto edit = std::make_unique<LevelEditCommand>(level);
    level.levelChanged = true;
    if (name == "stroke") {
        for (int x = 0; x < 8; ++x)
            edit->setCell(2, x, 5, 9);
        edit->setCell(0, 3, 5, 0);
        edit->setCell(2, 0, 5, -1); // the stroke passes its first cell again
    } else if (name == "place") {
        if (!edit->placeEntity({4, 2, 6, 1}))
            qFatal("a test level refused an entity");
    } else if (name == "remove middle")
        edit->removeEntity(2);
    else if (name == "move player")
        edit->movePlayer(0, 3);
    return edit;
}

QList<QPoint> cellsOf(const LevelChange& change)
{
    return QList<QPoint>(change.cells.begin(), change.cells.end());
}

} // namespace

// The steps of a level's history: each comes back exactly, the unsaved-changes
// flag follows the saved state, and the history keeps within its limits.
class tst_levelcommands : public QObject
{
    Q_OBJECT
private slots:
    void stepsGoBackAndForthExactly_data()
    {
        QTest::addColumn<QString>("step");
        QTest::addColumn<QList<QPoint>>("cells"); // to draw again
        QTest::addColumn<bool>("whole"); // the whole map and its size
        QList<QPoint> row5;
        for (int x = 0; x < 8; ++x)
            row5.append({x, 5});
        QTest::newRow("stroke on two layers") << "stroke" << row5 << false;
        QTest::newRow("entity placed") << "place" << QList<QPoint>{{2, 6}} << false;
        QTest::newRow("entity removed from the middle") << "remove middle" << QList<QPoint>{{4, 4}} << false;
        QTest::newRow("player moved") << "move player" << QList<QPoint>{{7, 7}, {0, 3}} << false;
        QTest::newRow("player data") << "data -1" << QList<QPoint>{} << false;
        QTest::newRow("entity data") << "data 3" << QList<QPoint>{} << false;
        QTest::newRow("shrunk at top left") << "resize 5 6 0" << QList<QPoint>{} << true;
        QTest::newRow("shrunk at top right") << "resize 2 1 1" << QList<QPoint>{} << true;
        QTest::newRow("shrunk to one cell at bottom left") << "resize 1 1 2" << QList<QPoint>{} << true;
        QTest::newRow("grown at bottom right") << "resize 70 9 3" << QList<QPoint>{} << true;
        QTest::newRow("grown at top left") << "resize 12 12 0" << QList<QPoint>{} << true;
    }

    void stepsGoBackAndForthExactly()
    {
        QFETCH(QString, step);
        Level level = busyLevel();
        const Level before = level;
        LevelHistory history(level);
        history.record(doStep(level, step));
        const Level after = level;
        QVERIFY(!(after == before));
        for (int round = 0; round < 2; ++round) {
            const std::optional<LevelChange> back = history.undo();
            QVERIFY(back && level == before);
            const std::optional<LevelChange> forth = history.redo();
            QVERIFY(forth && level == after);
            QCOMPARE(cellsOf(*back), cellsOf(*forth));
            QTEST(cellsOf(*back), "cells");
            QTEST(back->wholeMap, "whole");
        }
        QVERIFY(!history.redo());
    }

    void unsavedChangesFollowTheSavedState_data()
    {
        // p paints a cell, a applies a data text, x is a press that changes
        // nothing, s saves, u and r undo and redo.
        QTest::addColumn<QString>("actions");
        QTest::addColumn<bool>("changed");
        QTest::newRow("undone back to the start") << "p u" << false;
        QTest::newRow("redone") << "p u r" << true;
        QTest::newRow("a press that changed nothing, then a step undone") << "x p u" << false;
        QTest::newRow("nothing to undo keeps the flag") << "x u" << true;
        QTest::newRow("undone past the save") << "p s u" << true;
        QTest::newRow("redone to the save") << "p s u r" << false;
        QTest::newRow("saved between undos") << "p p u s r u" << false;
        QTest::newRow("an apply alone") << "a" << false;
        QTest::newRow("an apply undone") << "a u" << false;
        QTest::newRow("an apply redone") << "a u r" << false;
        QTest::newRow("an apply after a save, undone") << "p s a u" << false;
        QTest::newRow("an apply undone over a paint") << "p a u" << true;
        QTest::newRow("a paint undone under an apply") << "p a u u r" << true;
        QTest::newRow("left the saved state by applies only") << "a s u a u" << false;
        QTest::newRow("left the saved state past a paint") << "p s u a u" << true;
        QTest::newRow("a new branch after undoing past the save") << "p p s u u p u" << true;
    }

    void unsavedChangesFollowTheSavedState()
    {
        QFETCH(QString, actions);
        Level level = busyLevel();
        LevelHistory history(level);
        qint16 kind = 20;
        for (const QString& action : actions.split(' ')) {
            if (action == "p") {
                auto edit = std::make_unique<LevelEditCommand>(level);
                edit->setCell(0, 0, 0, kind++);
                level.levelChanged = true;
                history.record(std::move(edit));
            } else if (action == "a") {
                history.record(DataTextCommand::store(level, 0, QStringLiteral("text %1").arg(kind++)));
            } else if (action == "x") {
                level.levelChanged = true;
            } else if (action == "s") {
                level.levelChanged = false;
                history.markSaved();
            } else {
                (void)(action == "u" ? history.undo() : history.redo());
            }
        }
        QTEST(level.levelChanged, "changed");
    }

    void theOldestStepsGoFirstBeyondTheBudget()
    {
        Level level = busyLevel();
        LevelHistory history(level, 64 * 1024);
        std::vector<Level> states{level};
        for (int i = 0; i < 40; ++i) {
            history.record(DataTextCommand::store(level, i % 5, QString(1000, QChar('a' + i % 26))));
            states.push_back(level);
        }
        QVERIFY(history.bytes() <= 64 * 1024);
        const int kept = history.undoSteps();
        QVERIFY2(kept >= 10 && kept < 40, qPrintable(QString::number(kept)));
        while (history.undo()) { }
        QVERIFY(level == states[size_t(40 - kept)]);
        while (history.redo()) { }
        QVERIFY(level == states.back());

        // One step larger than the whole budget is still kept: the newest step can always be undone.
        history.record(DataTextCommand::store(level, -1, QString(100000, 'p')));
        QCOMPARE(history.undoSteps(), 1);
        history.clear();
        QCOMPARE(history.bytes(), 0);
    }

    void theNewestStepsStayWithinTheLimit()
    {
        Level level = busyLevel();
        LevelHistory history(level);
        for (int i = 0; i < LevelHistory::maxSteps + 5; ++i) {
            auto edit = std::make_unique<LevelEditCommand>(level);
            edit->setCell(1, 2, 3, static_cast<qint16>(i % 7 == 6 ? -1 : i % 7));
            level.levelChanged = true;
            history.record(std::move(edit));
        }
        QCOMPARE(history.undoSteps(), LevelHistory::maxSteps);
        while (history.undo()) { }
        // The loaded state was dropped with the oldest steps: this is not it.
        QVERIFY(level.levelChanged);
        QCOMPARE(level.levelTiles(1, 2, 3), qint16(4));
    }
};

QTEST_APPLESS_MAIN(tst_levelcommands)
#include "tst_levelcommands.moc"
