#include "common/TestLevels.h"
#include "model/DataTextCommand.h"
#include "model/LevelEditCommand.h"
#include "model/LevelHistory.h"

#include <QTest>

namespace {

// A new level with five entities, each with a data text.
Level levelWithEntities()
{
    Level level;
    levelops::makeNewLevel(level);
    for (int i = 0; i < 5; ++i)
        place(level, {0, qint16(i), 1, 0}, QStringLiteral("data %1").arg(i));
    return level;
}

} // namespace

// A level's history: the unsaved-changes flag follows the saved state, and the
// history keeps within its limits. (tst_undo takes every kind of step back
// and forth in the window, against the states it passed through.)
class tst_levelcommands : public QObject
{
    Q_OBJECT
private slots:
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
        QTest::newRow("an apply redone") << "a u r" << false;
        QTest::newRow("an apply after a save, undone") << "p s a u" << false;
        QTest::newRow("an apply undone over a paint") << "p a u" << true;
        QTest::newRow("left the saved state past a paint") << "p s u a u" << true;
        QTest::newRow("a new branch after undoing past the save") << "p p s u u p u" << true;
    }

    void unsavedChangesFollowTheSavedState()
    {
        QFETCH(QString, actions);
        Level level = levelWithEntities();
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
        Level level = levelWithEntities();
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
        Level level = levelWithEntities();
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
