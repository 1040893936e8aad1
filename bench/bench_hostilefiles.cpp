// Hostile inputs at the readers' caps: every one must be answered (read or
// refused with a message) within a second, in memory under four times the
// cap. Each case reads a file from disk as the editor's Load or start-up
// does. Memory is measured from outside, one case at a time, for instance
// with /usr/bin/time -f %M bench_hostilefiles --benchmark_filter=<case>.
#include "levelfile/LevelFileLoad.h"
#include "model/CatalogueReader.h"
#include "model/WholeFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>

namespace {

Catalogue benchCatalogue()
{
    Catalogue c;
    for (const char* name : {"floor", "wall", "ice"})
        c.tileDefs.push_back({QString::fromLatin1(name), QString(), QString()});
    for (const char* name : {"box", "door"})
        c.entityDefs.push_back({QString::fromLatin1(name), QString(), QString(), QString(), QString()});
    return c;
}

const QTemporaryDir& folder()
{
    static const QTemporaryDir dir;
    return dir;
}

// `head`, then `piece` again and again up to `size` bytes, then `tail`.
QByteArray filled(const QByteArray& head, const QByteArray& piece, qsizetype size, const QByteArray& tail = {})
{
    QByteArray bytes = head;
    bytes.reserve(size);
    while (bytes.size() + piece.size() + tail.size() <= size)
        bytes += piece;
    return bytes + tail;
}

QString written(const QString& name, const QByteArray& bytes)
{
    const QString path = folder().filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the benchmark's file");
    return path;
}

constexpr qsizetype levelCap = filecaps::level;

// The editor's Load: the file read and checked, then read as a level, with
// the first 20 lines of unknown kind listed and the rest counted.
void loadLevel(benchmark::State& state, const std::function<QByteArray()>& make)
{
    const Catalogue catalogue = benchCatalogue();
    const Level current;
    const QString path = written(QStringLiteral("level.txt"), make());
    for (auto _ : state) {
        const LoadedLevel loaded = loadLevelFile(path, catalogue, current, 20);
        benchmark::DoNotOptimize(loaded.reports.size());
        state.counters["reports"] = static_cast<double>(loaded.reports.size()) + static_cast<double>(loaded.unlisted);
    }
}

const QByteArray grid = "floor\tfloor\r\n\r\n";

BENCHMARK_CAPTURE(loadLevel, one_64MB_line, [] { return QByteArray(levelCap, 'a'); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, one_64MB_line_of_TABs, [] { return QByteArray(levelCap, '\t'); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, LF_line_ends, [] { return filled({}, "floor\tfloor\n", levelCap); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, NUL_bytes, [] { return QByteArray(levelCap, '\0'); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, kind_of_64MB, [] { return filled(grid + "0\t0\t", "k", levelCap); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, x_of_64MB_digits, [] { return filled(grid, "7", levelCap, "\t0\tbox"); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, x_of_64MB_blanks, [] { return filled(grid, " ", levelCap, "1\t0\tbox"); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, player_data_of_64MB, [] {
    return filled(grid + "0\t0\tPlayer\t", "d,", levelCap);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, data_TABs_of_64MB, [] { return filled(grid + "0\t0\tbox\t", "\t", levelCap); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, unknown_lines_13M, [] { return filled(grid, "0\t0\t\r", levelCap); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, entity_lines_to_the_limit, [] {
    return filled(grid, "0\t0\tbox\tx\r\n", levelCap);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, entities_off_the_screens, [] {
    return filled(grid + "Screen\t9\r\n", "0\t0\tbox\r\n", 1 << 20);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, screen_headers, [] { return filled(grid, "Screen\t1\r\n", levelCap); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, empty_lines, [] { return filled(grid, "\r", levelCap); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadLevel, over_the_cap, [] { return QByteArray(levelCap + 1, 'a'); })->Unit(benchmark::kMillisecond);

// Start-up: Elements.txt read and checked, then read as the catalogue.
void loadElements(benchmark::State& state, const std::function<QByteArray()>& make)
{
    written(QString::fromLatin1(catalogueFileName), make());
    for (auto _ : state) {
        Catalogue catalogue;
        const Result read = loadCatalogue(folder().path(), catalogue);
        benchmark::DoNotOptimize(read.message().size());
    }
}

constexpr qsizetype catalogueCap = filecaps::catalogue;

BENCHMARK_CAPTURE(loadElements, count_line_at_the_cap, [] { return QByteArray(catalogueCap, '7'); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadElements, count_line_of_zeros_then_1, [] {
    return filled({}, "0", catalogueCap - 3, "1\r\n");
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadElements, all_NUL_at_the_cap, [] { return QByteArray(catalogueCap, '\0'); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadElements, LF_line_ends, [] { return filled("3\nfloor\n", "x\n", catalogueCap); })->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadElements, tip_of_TABs, [] {
    return filled("1\r\nfloor\r\n\r\n\r\n-\r\n1\r\nbox\r\na\r\nb\r\n\r\n", "\t", catalogueCap);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadElements, kinds_to_the_cap, [] {
    return filled("32768\r\n", "t\r\n\r\n\r\n", catalogueCap);
})->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(loadElements, over_the_cap, [] { return QByteArray(catalogueCap + 1, '1'); })->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
