#include "common/TestLevels.h"
#include "leveldiff/DiffWords.h"
#include "leveldiff/LevelDiff.h"
#include "leveldiff/LevelMerge.h"
#include "levelfile/LevelReader.h"
#include "levelfile/LevelText.h"
#include "levelfile/LevelWriter.h"
#include "resize/ResizeOperation.h"

#include <QRandomGenerator>
#include <QTest>

#include <functional>

using namespace leveldiff;

namespace {

const Catalogue& catalogue()
{
    static const Catalogue c = [] {
        Catalogue made;
        made.tileDefs = {{"floor"}, {"wall"}, {"ice"}, {"water"}, {"sand"}, {"pit"}};
        made.entityDefs = {{"box"}, {"door"}, {"key"}};
        return made;
    }();
    return c;
}

// A level from its file's lines: the grid rows, then after an empty line the rest.
Level level(const QByteArrayList& grid, const QByteArrayList& rest = {})
{
    const LevelReadResult read = readLevel(crlfLines(grid + QByteArrayList{""} + rest), catalogue(), Level());
    if (!read.ok || !read.reports.empty())
        qFatal("a test level does not read");
    return read.level;
}

// One edit, at a cell of the base; replayed on a resized level at its shift.
struct Edit
{
    enum What { Tile, Add, Remove, Data } what = Tile;
    int layer = 0;
    int x = 0;
    int y = 0;
    int value = 0; // tile or entity kind
    QString data;
};

void applyEdits(Level& level, const std::vector<Edit>& edits, int dx = 0, int dy = 0)
{
    for (const Edit& edit : edits) {
        const int x = edit.x + dx;
        const int y = edit.y + dy;
        const int slot = levelops::findEntity(level, edit.layer, x, y, edit.value);
        if (edit.what == Edit::Tile)
            level.levelTiles(edit.layer, x, y) = static_cast<qint16>(edit.value);
        else if (edit.what == Edit::Add)
            place(level, Entity{qint16(edit.layer), qint16(x), qint16(y), qint16(edit.value)}, edit.data);
        else if (edit.what == Edit::Remove && slot >= 0)
            levelops::removeEntity(level, slot);
        else if (edit.what == Edit::Data && slot >= 0)
            levelops::setDataText(level, slot, edit.data);
    }
}

const QStringList dataTexts{"", "1,2", "left", "a,b,c"};

Level randomLevel(QRandomGenerator& random)
{
    Level level;
    levelops::replaceGrid(level, qint16(random.bounded(5, 15)), qint16(random.bounded(5, 15)));
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        for (int y = 0; y < level.levelHeight; ++y)
            for (int x = 0; x < level.levelWidth; ++x)
                level.levelTiles(layer, x, y) = qint16(layer > 0 && random.bounded(2) ? -1 : random.bounded(6));
    for (int i = random.bounded(40); i > 0; --i)
        place(level,
            Entity{qint16(random.bounded(5)), qint16(random.bounded(level.levelWidth)),
                qint16(random.bounded(level.levelHeight)), qint16(random.bounded(3))},
            dataTexts[random.bounded(4)]);
    levelops::movePlayer(level, qint16(random.bounded(level.levelWidth)), qint16(random.bounded(level.levelHeight)));
    return level;
}

// Edits of the cells `owns` gives: tiles, new entities, removed ones and other data.
std::vector<Edit> randomEdits(QRandomGenerator& random, const Level& base, const std::function<bool(int, int)>& owns)
{
    std::vector<Edit> edits;
    for (int n = 0; n < 30; ++n) {
        const int x = random.bounded(base.levelWidth);
        const int y = random.bounded(base.levelHeight);
        if (!owns(x, y))
            continue;
        const int layer = random.bounded(5);
        const auto what = static_cast<Edit::What>(random.bounded(4));
        const int kind = what == Edit::Tile ? random.bounded(layer > 0 ? -1 : 0, 6) : random.bounded(3);
        edits.push_back({what, layer, x, y, kind, dataTexts[random.bounded(4)] + "9"});
    }
    return edits;
}

QStringList conflictLines(const MergeResult& merged)
{
    QStringList lines;
    for (const Conflict& conflict : merged.conflicts)
        lines.append(describeConflict(conflict, merged, catalogue()));
    return lines;
}

} // namespace

Q_DECLARE_METATYPE(Level)

class tst_leveldiff : public QObject
{
    Q_OBJECT
private slots:
    void diffInWords_data()
    {
        QTest::addColumn<Level>("before");
        QTest::addColumn<Level>("after");
        QTest::addColumn<QStringList>("words");
        const QByteArrayList grid{"floor\twall\tice", "ice\tfloor\twall"};
        const QByteArrayList all{"Screen\tall", "1\t0\tPlayer\tleft"};
        const Level base =
            level(grid, all + QByteArrayList{"0\t0\tbox", "0\t0\tbox\t1\t2", "2\t1\tdoor", "Screen\t2", "1\t1\twater"});
        QTest::newRow("the same level") << base << base << QStringList();
        QTest::newRow("tiles on two layers") << base
                                             << level({"floor\twall\tice", "ice\tsand\twall"},
                                                    all
                                                        + QByteArrayList{"0\t0\tbox", "0\t0\tbox\t1\t2", "2\t1\tdoor",
                                                            "Screen\t1", "0\t0\tice", "Screen\t2"})
                                             << QStringList{"Main Level:", "  1, 1: tile floor -> sand",
                                                    "Top Left (screen 1):", "  0, 0: tile ice added",
                                                    "Top Right (screen 2):", "  1, 1: tile water removed"};
        QTest::newRow("one entity of many removed, the second box's data")
            << base << level(grid, all + QByteArrayList{"0\t0\tbox", "0\t0\tbox\t3", "Screen\t2", "1\t1\twater"})
            << QStringList{"Main Level:", "  0, 0: entity box #2 data \"1,2\" -> \"3\"", "  2, 1: entity door removed"};
        QTest::newRow("player start") << base
                                      << level(grid,
                                             {"0\t1\tPlayer\tright", "0\t0\tbox", "0\t0\tbox\t1\t2", "2\t1\tdoor",
                                                 "Screen\t2", "1\t1\twater"})
                                      << QStringList{"player start moved from 1, 0 to 0, 1",
                                             "player data \"left\" -> \"right\""};
        // Grown at the top left: the old cells are compared where they went.
        QTest::newRow("grown at the top left")
            << base
            << level({"floor\tfloor\tfloor\tfloor", "floor\tfloor\twall\tice", "floor\tice\tfloor\twall"},
                   all
                       + QByteArrayList{"1\t1\tbox", "1\t1\tbox\t1\t2", "3\t2\tdoor", "Screen\t2", "2\t2\twater",
                           "0\t0\tkey"})
            << QStringList{"size 3 x 2 -> 4 x 3, grown at the top left corner: what was at 0, 0 is at 1, 1 now",
                   "Top Right (screen 2):", "  0, 0: entity key added"};
        QTest::newRow("shrunk at the right, entities cut off")
            << base
            << level({"floor\twall", "ice\tfloor"},
                   all + QByteArrayList{"0\t0\tbox", "0\t0\tbox\t1\t2", "Screen\t2", "1\t1\twater"})
            << QStringList{"size 3 x 2 -> 2 x 2, shrunk at the right", "Main Level:", "  2, 1: entity door removed"};
        const Level plain = level({"floor\tfloor", "floor\tfloor"});
        QTest::newRow("a plain level grown") << plain << level({"floor\tfloor\tfloor", "floor\tfloor\tfloor"})
                                             << QStringList{"size 2 x 2 -> 3 x 2, at a corner that cannot be told"};
    }

    void diffInWords()
    {
        QFETCH(Level, before);
        QFETCH(Level, after);
        QTEST(describeDiff(diffLevels(before, after), catalogue()), "words");
    }

    // Two designers change different cells, one of them perhaps resizing:
    // the merge is what doing both gives, whichever side is ours.
    void mergeOfIndependentEdits_data()
    {
        QTest::addColumn<int>("seed");
        QTest::addColumn<int>("corner"); // of the second side's resize; -1: none
        for (int seed = 1; seed <= 40; ++seed)
            QTest::addRow("seed %d", seed) << seed << (seed % 5) - 1;
    }

    void mergeOfIndependentEdits()
    {
        QFETCH(int, seed);
        QFETCH(int, corner);
        QRandomGenerator random{quint32(seed)};
        const Level base = randomLevel(random);
        Level resized = base;
        resizeop::ResizeRecord resize;
        if (corner >= 0) {
            const QString width = QString::number(base.levelWidth + random.bounded(-2, 3));
            const QString height = QString::number(base.levelHeight + random.bounded(-2, 3));
            QCOMPARE(resizeop::resizeLevel(resized, width, height, corner, &resize), resizeop::Outcome::Applied);
        }
        const SizeChange shift{
            base.levelWidth, base.levelHeight, resized.levelWidth, resized.levelHeight, resize.dx, resize.dy, true};
        // Cells alternate between the two; those the resize cuts off are the second's.
        const std::vector<Edit> first =
            randomEdits(random, base, [&](int x, int y) { return (x + y) % 2 == 0 && shift.keeps(x, y); });
        const std::vector<Edit> second =
            randomEdits(random, base, [&](int x, int y) { return (x + y) % 2 == 1 && shift.keeps(x, y); });
        Level ours = base;
        applyEdits(ours, first);
        levelops::movePlayer(ours, 0, 0);
        Level theirs = resized;
        applyEdits(theirs, second, resize.dx, resize.dy);

        Level both = ours;
        if (corner >= 0)
            QCOMPARE(resizeop::resizeLevel(
                         both, QString::number(resized.levelWidth), QString::number(resized.levelHeight), corner),
                resizeop::Outcome::Applied);
        applyEdits(both, second, resize.dx, resize.dy);
        const MergeResult merged = mergeLevels(base, ours, theirs);
        QCOMPARE(conflictLines(merged), QStringList());
        QCOMPARE(writeLevel(merged.level, catalogue()), writeLevel(both, catalogue()));
        const MergeResult swapped = mergeLevels(base, theirs, ours);
        QCOMPARE(conflictLines(swapped), QStringList());
        QVERIFY(diffLevels(swapped.level, both).isEmpty());
    }

    // git calls a merge driver only when both sides changed; a side that did
    // not still gives the other one byte for byte.
    void mergeWithOneSideUnchanged()
    {
        for (int seed = 100; seed < 120; ++seed) {
            QRandomGenerator random{quint32(seed)};
            const Level base = randomLevel(random);
            Level changed = base;
            if (seed % 2 == 0)
                QCOMPARE(resizeop::resizeLevel(changed, u"9", u"4", seed % 4), resizeop::Outcome::Applied);
            applyEdits(changed, randomEdits(random, changed, [](int, int) { return true; }));
            QVERIFY(diffLevels(changed, changed).isEmpty());
            const QByteArray expected = writeLevel(changed, catalogue());
            QCOMPARE(writeLevel(mergeLevels(base, base, changed).level, catalogue()), expected);
            QCOMPARE(writeLevel(mergeLevels(base, changed, base).level, catalogue()), expected);
            QCOMPARE(mergeLevels(base, changed, changed).conflicts.size(), size_t(0));
        }
    }

    void conflicts_data()
    {
        QTest::addColumn<Level>("ours");
        QTest::addColumn<Level>("theirs");
        QTest::addColumn<QStringList>("conflicts");
        QTest::addColumn<QByteArrayList>("grid"); // of the merged level
        const QByteArrayList all{"Screen\tall", "0\t0\tPlayer\tleft", "1\t1\tdoor\t1"};
        QTest::newRow("a cell, and a cell each")
            << level({"wall\tfloor", "floor\tfloor"}, all) << level({"ice\tfloor", "floor\twall"}, all)
            << QStringList{"Main Level, cell 0, 0: tile floor in the base, wall in ours, ice in theirs"}
            << QByteArrayList{"wall\tfloor", "floor\twall"};
        QTest::newRow("an entity's data, and the player")
            << level({"floor\tfloor", "floor\tfloor"}, {"0\t1\tPlayer\tleft", "1\t1\tdoor\t2"})
            << level({"floor\tfloor", "floor\tfloor"}, {"1\t0\tPlayer\tright"})
            << QStringList{"Main Level, cell 1, 1: entity door: data \"1\" in the base, data \"2\" in ours, none in theirs",
                   "player start: 0, 0 \"left\" in the base, 0, 1 \"left\" in ours, 1, 0 \"right\" in theirs"}
            << QByteArrayList{"floor\tfloor", "floor\tfloor"};
        QTest::newRow("both resized differently")
            << level({"floor\tfloor\tfloor", "floor\tfloor\tice"}, all) << level({"floor\tfloor", "floor\tfloor", "ice\tfloor"}, all)
            << QStringList{"size: 2 x 2 in the base, ours 2 x 2 -> 3 x 2, grown at the right, theirs 2 x 2 -> 2 x 3, grown at the "
                           "bottom; the whole level is a conflict and keeps ours"}
            << QByteArrayList{"floor\tfloor\tfloor", "floor\tfloor\tice"};
        // Theirs's resize stays out; its other change is taken.
        QTest::newRow("theirs cuts off a change of ours")
            << level({"wall\tfloor", "floor\tfloor"}, all) << level({"floor", "ice"}, {"Screen\tall", "0\t0\tPlayer\tleft", "0\t1\tdoor\t1"})
            << QStringList{"size: theirs 2 x 2 -> 1 x 2, shrunk at the left: what was at 1, 0 is at 0, 0 now, cutting off changes of "
                           "ours; the level keeps ours's size and leaves out theirs's resize",
                   "Main Level, cell 0, 0 of the base: tile floor in the base, wall in ours, cut off in theirs"}
            << QByteArrayList{"wall\tfloor", "floor\tice"};
    }

    void conflicts()
    {
        QFETCH(Level, ours);
        QFETCH(Level, theirs);
        const Level base =
            level({"floor\tfloor", "floor\tfloor"}, {"Screen\tall", "0\t0\tPlayer\tleft", "1\t1\tdoor\t1"});
        const MergeResult merged = mergeLevels(base, ours, theirs);
        QTEST(conflictLines(merged), "conflicts");
        QFETCH(QByteArrayList, grid);
        QCOMPARE(merged.level.levelTiles, level(grid).levelTiles);
    }
};

QTEST_MAIN(tst_leveldiff)
#include "tst_leveldiff.moc"
