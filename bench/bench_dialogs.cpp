// The entity data editor and the resize operation on the largest level there can be.
#include "entitydata/ui/frmEntityData.h"
#include "model/LevelHistory.h"
#include "model/modLists.h"
#include "resize/ResizeOperation.h"

#include <QApplication>
#include <QListWidget>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// 70 by 70 cells with a tile of its own in every cell of every layer, and
// the most entities a level can hold, each with a data text.
Level maximalLevel()
{
    Level level;
    levelops::replaceGrid(level, Level::maxSize, Level::maxSize);
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        for (int x = 0; x < Level::maxSize; ++x)
            for (int y = 0; y < Level::maxSize; ++y)
                level.levelTiles(layer, x, y) = static_cast<qint16>((layer + x + y) % 14);
    for (int i = 0; i < Level::maxEntities; ++i) {
        const Entity entity{static_cast<qint16>(i % 5), static_cast<qint16>(i % Level::maxSize),
            static_cast<qint16>(i / Level::maxSize % Level::maxSize), static_cast<qint16>(i % 7)};
        if (!levelops::appendEntity(level, entity, QStringLiteral("data %1").arg(i)))
            qFatal("the benchmark level is full");
    }
    return level;
}

const Level& sharedMaximalLevel()
{
    static const Level level = maximalLevel();
    return level;
}

// Arguments: the corner button (0 to 3) and the new width and height.
void BM_ResizeMaximalLevel(benchmark::State& state)
{
    const int corner = static_cast<int>(state.range(0));
    const QString size = QString::number(state.range(1));
    for (auto _ : state) {
        state.PauseTiming();
        Level level = sharedMaximalLevel();
        state.ResumeTiming();
        const resizeop::Outcome outcome = resizeop::resizeLevel(level, size, size, corner);
        benchmark::DoNotOptimize(outcome);
        state.PauseTiming();
        level = Level();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ResizeMaximalLevel)->ArgsProduct({{0, 1, 2, 3}, {60, 70}})->ArgNames({"corner", "size"})->Unit(benchmark::kMillisecond);

void fillCatalogue()
{
    Catalogue& catalogue = modLists::catalogue;
    catalogue.entityDefs.clear();
    for (int kind = 0; kind < 7; ++kind)
        catalogue.entityDefs.push_back({QStringLiteral("kind%1").arg(kind), {}, {}, {}, QStringLiteral("Tip.\r\n\r\nData: anything.")});
}

// Opening the entity data editor: loading its lists and showing it once.
void BM_OpenEntityDataEditor(benchmark::State& state)
{
    fillCatalogue();
    modLists::level = sharedMaximalLevel();
    LevelHistory history(modLists::level);
    for (auto _ : state) {
        auto dialog = std::make_unique<frmEntityData>(history);
        dialog->show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(dialog->findChild<QListWidget*>(QStringLiteral("lstCurEnt"))->count());
        state.PauseTiming();
        dialog.reset();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    modLists::level = Level();
}
BENCHMARK(BM_OpenEntityDataEditor)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Windows are measured headless unless a platform is asked for.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
