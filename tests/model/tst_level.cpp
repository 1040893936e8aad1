#include "common/TestLevels.h"
#include "model/DataTextCommand.h"
#include "model/LevelEditCommand.h"
#include "model/LevelHistory.h"
#include "model/Numbers.h"
#include "resize/ResizeCommand.h"
#include "resize/ResizeOperation.h"

#include <QTest>

#include <algorithm>

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

// The level: the one rule its numbers are read by, its resize, and its
// history. (tst_undo takes every kind of step back and forth in the window,
// against the states it passed through.)
class tst_level : public QObject
{
    Q_OBJECT
private slots:
    void toInt16_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<int>("value");

        QTest::newRow("negative") << "-1" << true << -1;
        QTest::newRow("plus sign") << "+7" << true << 7;
        QTest::newRow("blanks and tabs around") << "  8 \t" << true << 8;
        QTest::newRow("blanks around a fraction") << " 6.5\t " << true << 6;
        QTest::newRow("blanks around an exponent") << "\t1e2 " << true << 100;
        QTest::newRow("half to even down") << "6.5" << true << 6;
        QTest::newRow("half to even up") << "7.5" << true << 8;
        QTest::newRow("exponent") << "1e2" << true << 100;
        QTest::newRow("lowest") << "-32768" << true << -32768;
        QTest::newRow("highest") << "32767" << true << 32767;
        QTest::newRow("rounds out of range") << "32767.5" << false << 0;
        QTest::newRow("too small") << "-32769" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("trailing letters") << "12abc" << false << 0;
        QTest::newRow("infinity") << "inf" << false << 0;
        QTest::newRow("huge exponent") << "1e999" << false << 0;
        QTest::newRow("ten digits with leading zeros") << "-0000032768" << true << -32768;
        QTest::newRow("just too large") << "32768" << false << 0;
        QTest::newRow("blank after the sign") << "- 5" << false << 0;
        QTest::newRow("no-break space around") << "\u00A05" << false << 0;
        QTest::newRow("digits of another script") << "\u0663" << false << 0;
    }

    void toInt16()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(int, value);
        const std::optional<qint16> result = numbers::toInt16(text);
        QCOMPARE(result.has_value(), valid);
        if (valid)
            QCOMPARE(int(*result), value);
        // A level file's bytes follow the same rule as typed text.
        if (std::all_of(text.begin(), text.end(), [](QChar c) { return c.unicode() <= 0xFF; })) {
            const QByteArray bytes = text.toLatin1();
            QCOMPARE(numbers::toInt16(QLatin1StringView(bytes)), result);
        }
    }

    // An 8 by 8 level, every cell marked with where it started, resized at
    // one corner: cells and entities shift with the corner, what falls off is
    // dropped and what comes in is empty. The entities lie on the columns and
    // rows 0, 1, 6 and 7, so a shrink by one finds some exactly on the edge
    // that goes (dropped) and on the edge that stays (kept).
    void resizeAtEachCorner_data()
    {
        QTest::addColumn<int>("corner");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QPoint>("shift");
        QTest::newRow("shrink top left") << 0 << QSize(7, 7) << QPoint(-1, -1);
        QTest::newRow("shrink top right") << 1 << QSize(7, 7) << QPoint(0, -1);
        QTest::newRow("shrink bottom left") << 2 << QSize(7, 7) << QPoint(-1, 0);
        QTest::newRow("shrink bottom right") << 3 << QSize(7, 7) << QPoint(0, 0);
        QTest::newRow("grow top left") << 0 << QSize(9, 10) << QPoint(1, 2);
        QTest::newRow("grow bottom right") << 3 << QSize(9, 10) << QPoint(0, 0);
        QTest::newRow("wider, shorter at top left") << 0 << QSize(10, 6) << QPoint(2, -2);
        QTest::newRow("every entity dropped") << 0 << QSize(1, 1) << QPoint(-7, -7);
    }

    void resizeAtEachCorner()
    {
        QFETCH(int, corner);
        QFETCH(QSize, size);
        QFETCH(QPoint, shift);
        Level level;
        levelops::makeNewLevel(level);
        for (int layer = 0; layer < TileGrid::layerCount; ++layer)
            for (int x = 0; x < 8; ++x)
                for (int y = 0; y < 8; ++y)
                    level.levelTiles(layer, x, y) = qint16(layer * 100 + y * 10 + x);
        const QList<QPoint> cells{{0, 3}, {1, 3}, {6, 3}, {7, 3}, {3, 0}, {3, 1}, {3, 6}, {3, 7}};
        for (qsizetype i = 0; i < cells.size(); ++i)
            place(
                level, {qint16(i % 5), qint16(cells[i].x()), qint16(cells[i].y()), 0}, QStringLiteral("at %1").arg(i));
        levelops::movePlayer(level, 7, 7);
        const Level before = level;

        const QString width = QString::number(size.width()), height = QString::number(size.height());
        QCOMPARE(resizeop::resizeLevel(level, width, height, corner), resizeop::Outcome::Applied);
        QVERIFY(level.isConsistent());
        QCOMPARE(QSize(level.levelWidth, level.levelHeight), size);
        for (int layer = 0; layer < TileGrid::layerCount; ++layer)
            for (int x = 0; x < size.width(); ++x)
                for (int y = 0; y < size.height(); ++y) {
                    const QPoint from = QPoint(x, y) - shift;
                    const qint16 expected = QRect(0, 0, 8, 8).contains(from)
                        ? before.levelTiles(layer, from.x(), from.y())
                        : TileGrid::emptyValue(layer);
                    QVERIFY2(level.levelTiles(layer, x, y) == expected,
                        qPrintable(QStringLiteral("layer %1 cell %2,%3").arg(layer).arg(x).arg(y)));
                }
        // The entities that stay keep their order and data texts.
        std::vector<Entity> kept;
        std::vector<QString> keptData;
        for (qsizetype i = 0; i < cells.size(); ++i)
            if (const QPoint to = cells[i] + shift; QRect(QPoint(0, 0), size).contains(to)) {
                kept.push_back({qint16(i % 5), qint16(to.x()), qint16(to.y()), 0});
                keptData.push_back(QStringLiteral("at %1").arg(i));
            }
        QCOMPARE(level.entities, kept);
        QCOMPARE(level.entityData, keptData);
        QCOMPARE(QPoint(level.playerX, level.playerY), QPoint(7, 7));
    }

    void unsavedChangesFollowTheSavedState_data()
    {
        // p paints a cell, a applies a data text, x is a press that changes
        // nothing, s saves, u and r undo and redo.
        QTest::addColumn<QString>("actions");
        QTest::addColumn<bool>("changed");
        QTest::newRow("a press that changed nothing, then a step undone") << "x p u" << false;
        QTest::newRow("nothing to undo keeps the flag") << "x u" << true;
        QTest::newRow("an apply after a save, undone") << "p s a u" << false;
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
        QVERIFY(level.isConsistent());
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
        QVERIFY(level.isConsistent());

        // One step larger than the whole budget is still kept: the newest step can always be undone.
        history.record(DataTextCommand::store(level, -1, QString(100000, 'p')));
        QCOMPARE(history.undoSteps(), 1);
        history.clear();
        QCOMPARE(history.bytes(), 0);
    }

    // Past the step limit the oldest steps go, and the saved state moves with
    // them: undoing back to it, and only there, leaves nothing unsaved. A
    // saved state that went with them can never be reached again.
    void theSavedStateOutlivesTheStepLimit_data()
    {
        QTest::addColumn<int>("before"); // steps before the save
        QTest::addColumn<int>("after"); // steps after it
        QTest::newRow("still within reach") << 600 << 600;
        QTest::newRow("gone with the oldest steps") << 100 << 1100;
    }

    void theSavedStateOutlivesTheStepLimit()
    {
        QFETCH(int, before);
        QFETCH(int, after);
        Level level = levelWithEntities();
        LevelHistory history(level);
        for (int i = 0; i < before + after; ++i) {
            if (i == before)
                history.markSaved();
            auto edit = std::make_unique<LevelEditCommand>(level);
            edit->setCell(0, i % 8, i / 8 % 8, qint16(i + 1));
            history.record(std::move(edit));
        }
        QCOMPARE(history.undoSteps(), LevelHistory::maxSteps);
        const bool reachable = after < LevelHistory::maxSteps;
        for (int i = 0; i < std::min(after, LevelHistory::maxSteps); ++i) {
            QVERIFY(history.levelChanged());
            QVERIFY(history.undo());
        }
        QCOMPARE(history.levelChanged(), !reachable);
        if (reachable) {
            QVERIFY(history.undo());
            QVERIFY(history.levelChanged());
            QVERIFY(history.redo());
            QVERIFY(!history.levelChanged());
        }
    }

    // A data text step holds both its texts, two bytes a character; a resize
    // holds the data texts of the entities it dropped.
    void stepsCountTheTextsTheyHold()
    {
        Level level = levelWithEntities();
        LevelHistory history(level);
        auto textStep = [&](int slot, const QString& text) {
            const qsizetype bytes = history.bytes();
            const qsizetype texts = level.entityData[size_t(slot)].capacity() + text.capacity();
            history.record(DataTextCommand::store(level, slot, text));
            return std::pair(history.bytes() - bytes, 2 * texts);
        };
        const auto [first, firstTexts] = textStep(0, QString(1000, 'a'));
        const auto [second, secondTexts] = textStep(1, QString(3000, 'b'));
        const auto [third, thirdTexts] = textStep(0, QString(2000, 'c'));
        QCOMPARE(second - first, secondTexts - firstTexts);
        QCOMPARE(third - first, thirdTexts - firstTexts);

        // The same resize of two levels whose dropped entities differ only in their texts.
        auto resizeStep = [](const QString& text) {
            Level resized = levelWithEntities();
            for (QString& data : resized.entityData)
                data = text;
            LevelHistory steps(resized);
            resizeop::ResizeRecord record;
            if (resizeop::resizeLevel(resized, u"2", u"8", 3, &record) != resizeop::Outcome::Applied)
                return qsizetype(-1);
            steps.record(std::make_unique<ResizeCommand>(resized, std::move(record)));
            return steps.bytes();
        };
        const QString text(5000, 'x');
        const qsizetype withTexts = resizeStep(text) - resizeStep(QString());
        const qsizetype dropped = 3 * 2 * text.capacity(); // entities 2, 3 and 4 fall off
        QVERIFY2(withTexts >= dropped && withTexts <= dropped + 3 * 64, qPrintable(QString::number(withTexts)));
    }

    // Whatever a step holds once it is done again, a redo leaves the history
    // within its budget, letting go of the oldest steps first.
    void aRedoKeepsWithinTheBudget()
    {
        // A step that holds what it is told to, like a resize that holds what it cut off.
        class SizedStep : public LevelCommand
        {
        public:
            SizedStep(Level& level, qsizetype* held)
                : LevelCommand(level)
                , m_held(held)
            {
            }
            LevelChange change() const override { return {}; }

        protected:
            void takeBack() override { }
            void doAgain() override { }
            qsizetype heldBytes() const override { return m_released ? 0 : *m_held; }
            void releaseHeld() override { m_released = true; }

        private:
            qsizetype* m_held;
            bool m_released = false;
        };

        Level level = levelWithEntities();
        const qsizetype budget = 8000;
        LevelHistory history(level, budget);
        qsizetype firstHolds = 1000;
        qsizetype secondHolds = 1000;
        history.record(std::make_unique<SizedStep>(level, &firstHolds));
        history.record(std::make_unique<SizedStep>(level, &secondHolds));
        QVERIFY(history.undo() && history.undo());
        firstHolds = 5000;
        secondHolds = 4000;
        QVERIFY(history.redo() && history.redo());
        QVERIFY2(history.bytes() <= budget, qPrintable(QString::number(history.bytes())));
        QCOMPARE(history.undoSteps(), 1);
    }
};

QTEST_APPLESS_MAIN(tst_level)
#include "tst_level.moc"
