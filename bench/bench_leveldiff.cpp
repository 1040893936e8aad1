// Diff and merge of the largest levels (70 by 70, every layer full, 32767
// entities), in the core and as tilewright-cli runs them, and check --index
// of a game with 1000 levels of 30 by 30.
#include "BenchLevels.h"
#include "leveldiff/LevelDiff.h"
#include "leveldiff/LevelMerge.h"
#include "levelfile/LevelWriter.h"
#include "model/WholeFile.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Changes in the columns x with x % 10 == phase: there every tile of every
// layer, a third of the entities removed and a third given other data, and
// 300 entities added. Two phases change different cells and entities.
Level edited(const Level& base, int phase)
{
    Level level = base;
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        for (int y = 0; y < level.levelHeight; ++y)
            for (int x = phase; x < level.levelWidth; x += 10)
                level.levelTiles(layer, x, y) = static_cast<qint16>((level.levelTiles(layer, x, y) + 1) % 14);
    for (int slot = level.entityCount - 1; slot >= 0; --slot) {
        if (level.entities[static_cast<size_t>(slot)].x % 10 != phase)
            continue;
        if (slot % 3 == 0)
            levelops::removeEntity(level, slot);
        else if (slot % 3 == 1)
            levelops::setDataText(level, slot, QStringLiteral("changed"));
    }
    for (int i = 0; i < 300; ++i) {
        const Entity entity{static_cast<qint16>(i % 5), static_cast<qint16>(phase + 10 * (i % 7)), static_cast<qint16>(i % 70), 3};
        if (!levelops::appendEntity(level, entity))
            qFatal("the benchmark level is full");
    }
    return level;
}

void BM_DiffLargest(benchmark::State& state)
{
    const Level before = largestLevel();
    const Level after = edited(before, 0);
    for (auto _ : state)
        benchmark::DoNotOptimize(leveldiff::diffLevels(before, after));
}
BENCHMARK(BM_DiffLargest)->Unit(benchmark::kMillisecond);

void BM_MergeLargest(benchmark::State& state)
{
    const Level base = largestLevel();
    const Level ours = edited(base, 1);
    const Level theirs = edited(base, 2);
    for (auto _ : state)
        benchmark::DoNotOptimize(leveldiff::mergeLevels(base, ours, theirs));
}
BENCHMARK(BM_MergeLargest)->Unit(benchmark::kMillisecond);

// A game folder with its catalogue, in a temporary folder of its own.
class BenchGame
{
public:
    BenchGame()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("editor"));
        QDir(m_dir.path()).mkpath(QStringLiteral("levels"));
        write(QStringLiteral("editor/Elements.txt"), benchCatalogueFile());
    }
    QString path() const { return m_dir.path(); }
    void write(const QString& name, const QByteArray& bytes) const
    {
        if (!writeWholeFile(QDir(m_dir.path()).filePath(name), bytes))
            qFatal("the benchmark game could not be written");
    }
    void writeLevel(const QString& name, const Level& level) const
    {
        write(QStringLiteral("levels/") + name + QStringLiteral(".txt"), ::writeLevel(level, benchCatalogue()));
    }

private:
    QTemporaryDir m_dir;
};

// The whole program as a build runs it, in wall time: start, catalogue,
// levels read, work done, output written.
void runCli(benchmark::State& state, const BenchGame& game, const QStringList& arguments, int expectedStatus)
{
    for (auto _ : state) {
        QProcess cli;
        cli.setWorkingDirectory(game.path());
        cli.setStandardOutputFile(QProcess::nullDevice());
        cli.start(QStringLiteral(TILEWRIGHT_CLI),
            QStringList{arguments.first(), QStringLiteral("-C"), QStringLiteral("editor")} + arguments.mid(1));
        if (!cli.waitForFinished(60000) || cli.exitCode() != expectedStatus)
            state.SkipWithError("tilewright-cli failed");
    }
}

void BM_DiffCommandLargest(benchmark::State& state)
{
    const BenchGame game;
    const Level before = largestLevel();
    game.writeLevel(QStringLiteral("Old"), before);
    game.writeLevel(QStringLiteral("New"), edited(before, 0));
    runCli(state, game, {QStringLiteral("diff"), QStringLiteral("levels/Old.txt"), QStringLiteral("levels/New.txt")}, 1);
}
BENCHMARK(BM_DiffCommandLargest)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_MergeCommandLargest(benchmark::State& state)
{
    const BenchGame game;
    const Level base = largestLevel();
    game.writeLevel(QStringLiteral("Base"), base);
    game.writeLevel(QStringLiteral("Ours"), edited(base, 1));
    game.writeLevel(QStringLiteral("Theirs"), edited(base, 2));
    runCli(state, game,
        {QStringLiteral("merge"), QStringLiteral("levels/Base.txt"), QStringLiteral("levels/Ours.txt"), QStringLiteral("levels/Theirs.txt"),
            QStringLiteral("-o"), QStringLiteral("Merged.txt")},
        0);
}
BENCHMARK(BM_MergeCommandLargest)->Unit(benchmark::kMillisecond)->UseRealTime();

// 1000 levels of 30 by 30, every layer full and an entity in every cell, all
// listed in the index.
void BM_CheckIndex1000(benchmark::State& state)
{
    const BenchGame game;
    const QByteArray level = writeLevel(fullLevel(30, 30, 900), benchCatalogue());
    QByteArray index;
    for (int i = 0; i < 1000; ++i) {
        const QString name = QStringLiteral("Level%1").arg(i, 4, 10, QLatin1Char('0'));
        game.write(QStringLiteral("levels/") + name + QStringLiteral(".txt"), level);
        index += name.toLatin1() + "\r\n";
    }
    game.write(QStringLiteral("levels/index.txt"), index);
    runCli(state, game, {QStringLiteral("check"), QStringLiteral("--index")}, 0);
}
BENCHMARK(BM_CheckIndex1000)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
