// Loading and saving the largest level the editor can hold, and keeping a
// recovery copy of it: 70 by 70 cells, every corner screen full, 32767
// entities with 20-character data texts.
#include "BenchLevels.h"
#include "levelfile/LevelReader.h"
#include "levelfile/LevelWriter.h"
#include "model/WholeFile.h"
#include "recovery/RecoveryCopy.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

void BM_SaveLargest(benchmark::State& state)
{
    const Catalogue catalogue = benchCatalogue();
    const Level level = largestLevel(Level::maxEntities);
    for (auto _ : state)
        benchmark::DoNotOptimize(writeLevel(level, catalogue));
}
BENCHMARK(BM_SaveLargest)->Unit(benchmark::kMillisecond);

// The whole save command's work: the bytes, then the file replaced on disk.
void BM_SaveLargestToDisk(benchmark::State& state)
{
    const Catalogue catalogue = benchCatalogue();
    const Level level = largestLevel(Level::maxEntities);
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Largest.txt"));
    for (auto _ : state)
        if (!writeWholeFile(path, writeLevel(level, catalogue)))
            state.SkipWithError("the save failed");
}
BENCHMARK(BM_SaveLargestToDisk)->Unit(benchmark::kMillisecond);

void BM_LoadLargest(benchmark::State& state)
{
    const Catalogue catalogue = benchCatalogue();
    const QByteArray file = writeLevel(largestLevel(Level::maxEntities), catalogue);
    const Level current;
    for (auto _ : state)
        benchmark::DoNotOptimize(readLevel(file, catalogue, current));
    state.SetBytesProcessed(state.iterations() * file.size());
}
BENCHMARK(BM_LoadLargest)->Unit(benchmark::kMillisecond);

void BM_LoadLargestFromDisk(benchmark::State& state)
{
    const Catalogue catalogue = benchCatalogue();
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("Largest.txt"));
    if (!writeWholeFile(path, writeLevel(largestLevel(Level::maxEntities), catalogue)))
        state.SkipWithError("the level could not be written");
    const Level current;
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("the file could not be opened");
        benchmark::DoNotOptimize(readLevel(file.readAll(), catalogue, current));
    }
}
BENCHMARK(BM_LoadLargestFromDisk)->Unit(benchmark::kMillisecond);

// A recovery copy of the largest level: the part the editor's own thread
// does (the level's bytes), which editing waits for...
void BM_RecoverySnapshotLargest(benchmark::State& state)
{
    const Catalogue catalogue = benchCatalogue();
    const Level level = largestLevel(Level::maxEntities);
    for (auto _ : state)
        benchmark::DoNotOptimize(RecoveryCopy{QStringLiteral("Largest"), QStringLiteral("../levels/Largest.txt"), QDir::currentPath(),
            QDateTime::currentDateTime(), writeLevel(level, catalogue)});
}
BENCHMARK(BM_RecoverySnapshotLargest)->Unit(benchmark::kMillisecond);

// ...and the part its writer thread does: the checksum, and the file
// written through the safe writer, synced with its folder.
void BM_RecoveryWriteLargest(benchmark::State& state)
{
    const Catalogue catalogue = benchCatalogue();
    const RecoveryCopy copy{QStringLiteral("Largest"), QStringLiteral("../levels/Largest.txt"), QDir::currentPath(),
        QDateTime::currentDateTime(), writeLevel(largestLevel(Level::maxEntities), catalogue)};
    QTemporaryDir dir;
    const QString path = QDir(dir.path()).filePath(QStringLiteral("copy.recovery"));
    for (auto _ : state)
        if (!recoverycopy::write(path, copy))
            state.SkipWithError("the copy could not be written");
}
BENCHMARK(BM_RecoveryWriteLargest)->Unit(benchmark::kMillisecond)->UseRealTime();

// Loading time against the number of entities, on the full 70 by 70 grid.
void BM_LoadEntities(benchmark::State& state)
{
    const Catalogue catalogue = benchCatalogue();
    const QByteArray file = writeLevel(largestLevel(static_cast<int>(state.range(0))), catalogue);
    const Level current;
    for (auto _ : state)
        benchmark::DoNotOptimize(readLevel(file, catalogue, current));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadEntities)->Arg(1024)->Arg(4096)->Arg(8192)->Arg(16384)->Arg(24576)->Arg(32767)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
