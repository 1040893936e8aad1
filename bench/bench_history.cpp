// The undo history's cost: recording a step beside an edit, undo and redo of
// a stroke and of a resize in the editor window on the largest levels, and
// the memory the history holds whatever the steps are.
#include "editor/ui/MapSurface.h"
#include "editor/ui/frmMain.h"
#include "model/DataTextCommand.h"
#include "model/LevelEditCommand.h"
#include "model/modLists.h"
#include "resize/ResizeCommand.h"

#include "SampleGame.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace {

constexpr int size = Level::maxSize;
constexpr int cornerView = 3;

// The largest level there is: 70 x 70 cells with a tile of its own in every
// cell of all five layers and the most entities a level holds, each with a
// 20-character data text.
Level largestLevel()
{
    Level level;
    levelops::replaceGrid(level, size, size);
    for (int layer = 0; layer < TileGrid::layerCount; ++layer)
        for (int x = 0; x < size; ++x)
            for (int y = 0; y < size; ++y)
                level.levelTiles(layer, x, y) = static_cast<qint16>((layer + x + y) % 14);
    for (int i = 0; i < Level::maxEntities; ++i) {
        const Entity entity{
            static_cast<qint16>(i % 5), static_cast<qint16>(i % size), static_cast<qint16>(i / size % size), static_cast<qint16>(i % 7)};
        if (!levelops::appendEntity(level, entity, QStringLiteral("1,2,3,4,5,6,7,8,9,10")))
            qFatal("the benchmark level is full");
    }
    return level;
}

// The editor window shown on a corner view of `level`, with no history yet.
frmMain& windowOn(const Level& level)
{
    static frmMain* window = [] {
        auto* made = new frmMain;
        if (!made->Form_Load())
            qFatal("the sample pictures cannot be read");
        made->show();
        return made;
    }();
    modLists::level = level;
    window->history().clear();
    window->optView_Click(cornerView);
    window->Form_Resize();
    QCoreApplication::processEvents();
    return *window;
}

// One cell edit as the level operation alone, for scale.
void BM_CellEditAlone(benchmark::State& state)
{
    Level level = largestLevel();
    qint16 kind = 0;
    for (auto _ : state) {
        levelops::setCell(level, 0, 40, 30, kind);
        kind = static_cast<qint16>((kind + 1) % 14);
    }
}
BENCHMARK(BM_CellEditAlone)->Unit(benchmark::kMicrosecond);

// The same edit made in a gesture and recorded as a step, in a history that
// is full, so every step also drops the oldest.
void BM_CellEditRecorded(benchmark::State& state)
{
    Level level = largestLevel();
    LevelHistory history(level);
    qint16 kind = 0;
    auto edit = [&] {
        auto gesture = std::make_unique<LevelEditCommand>(level);
        gesture->setCell(0, 40, 30, kind);
        history.record(std::move(gesture));
        kind = static_cast<qint16>((kind + 1) % 14);
    };
    for (int i = 0; i < LevelHistory::maxSteps; ++i)
        edit();
    for (auto _ : state)
        edit();
}
BENCHMARK(BM_CellEditRecorded)->Unit(benchmark::kMicrosecond);

// Undoes and redoes the window's last step over and over, timing only the
// undo or only the redo.
void undoAndRedo(benchmark::State& state, frmMain& window, bool timeUndo)
{
    for (auto _ : state) {
        if (!timeUndo)
            state.PauseTiming();
        window.undo();
        if (!timeUndo)
            state.ResumeTiming();
        else
            state.PauseTiming();
        window.redo();
        if (timeUndo)
            state.ResumeTiming();
    }
}

// A left stroke across a row of 70 cells in the window, on a 70 x 70 corner
// view with a tile in every cell and an entity in every cell of the main
// level and the corner screen; then its undo (or redo) with the cells drawn again.
void strokeBenchmark(benchmark::State& state, bool timeUndo)
{
    Level level;
    levelops::replaceGrid(level, size, size);
    for (qint16 x = 0; x < size; ++x)
        for (qint16 y = 0; y < size; ++y) {
            level.levelTiles(0, x, y) = static_cast<qint16>((x + y) % 14);
            level.levelTiles(cornerView, x, y) = static_cast<qint16>((x * y) % 14);
            if (!levelops::appendEntity(level, {0, x, y, static_cast<qint16>(x % 7)})
                || !levelops::appendEntity(level, {cornerView, x, y, static_cast<qint16>(y % 7)}))
                qFatal("the benchmark level is full");
        }
    frmMain& window = windowOn(level);
    window.imgTile_Click(4);
    QWidget* map = window.findChild<MapSurface*>(QStringLiteral("picInner"));
    const int y = 8 + 31 * 20 + 10;
    sendMouse(map, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {18, y});
    for (int x = 1; x < size; ++x)
        sendMouse(map, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {8 + 31 * x + 10, y});
    sendMouse(map, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {8 + 31 * 69 + 10, y});
    if (window.history().undoSteps() != 1)
        qFatal("the stroke made no step");
    undoAndRedo(state, window, timeUndo);
}

void BM_UndoStroke(benchmark::State& state)
{
    strokeBenchmark(state, true);
}
BENCHMARK(BM_UndoStroke)->Unit(benchmark::kMicrosecond);

void BM_RedoStroke(benchmark::State& state)
{
    strokeBenchmark(state, false);
}
BENCHMARK(BM_RedoStroke)->Unit(benchmark::kMicrosecond);

// The largest level resized to 35 x 35 at its top-left corner (three
// quarters of the cells and entities cut off) in the window; then the
// undo (or redo) of that step, with the map drawn again and laid out.
void resizeBenchmark(benchmark::State& state, bool timeUndo)
{
    static const Level largest = largestLevel();
    frmMain& window = windowOn(largest);
    resizeop::ResizeRecord record;
    if (resizeop::resizeLevel(modLists::level, u"35", u"35", 0, &record) != resizeop::Outcome::Applied)
        qFatal("the benchmark's resize was refused");
    window.history().record(std::make_unique<ResizeCommand>(modLists::level, std::move(record)));
    window.prcDrawTiles();
    window.Form_Resize();
    undoAndRedo(state, window, timeUndo);
}

void BM_UndoResizeLargest(benchmark::State& state)
{
    resizeBenchmark(state, true);
}
BENCHMARK(BM_UndoResizeLargest)->Unit(benchmark::kMillisecond);

void BM_RedoResizeLargest(benchmark::State& state)
{
    resizeBenchmark(state, false);
}
BENCHMARK(BM_RedoResizeLargest)->Unit(benchmark::kMillisecond);

// The heap in use, where the platform's allocator tells it.
double heapBytes()
{
#if defined(__GLIBC__)
    const struct mallinfo2 info = mallinfo2();
    return static_cast<double>(info.uordblks + info.hblkhd);
#else
    return 0;
#endif
}

// A full history of steps of one kind on the largest level: what it holds by
// its own count and on the heap (the difference that clearing it makes).
//   0  resizes at the four corners in turn, down to 1 x 1 and back to 70 x 70
//   1  applies of data texts of 32 767 characters, the most a text box takes
//   2  strokes across a row of 70 cells, painting and erasing in turn
//   3  entity removals, each keeping the entity's data text
void BM_HistoryMemory(benchmark::State& state)
{
    const int scenario = static_cast<int>(state.range(0));
    for (auto _ : state) {
        Level level = largestLevel();
        LevelHistory history(level);
        for (int step = 0; step < LevelHistory::maxSteps + 200; ++step) {
            if (scenario == 0) {
                const bool shrink = step % 2 == 0;
                resizeop::ResizeRecord record;
                const QString side = shrink ? QStringLiteral("1") : QStringLiteral("70");
                if (resizeop::resizeLevel(level, side, side, step / 2 % 4, &record) != resizeop::Outcome::Applied)
                    qFatal("the benchmark's resize was refused");
                history.record(std::make_unique<ResizeCommand>(level, std::move(record)));
            } else if (scenario == 1) {
                history.record(DataTextCommand::store(level, step % 100, QString(32767, QChar(u'a' + step % 26))));
            } else {
                auto gesture = std::make_unique<LevelEditCommand>(level);
                if (scenario == 2)
                    for (int x = 0; x < size; ++x)
                        gesture->setCell(step % 5, x, step % size, step % 2 ? TileGrid::emptyValue(step % 5) : qint16(13));
                else
                    gesture->removeEntity(level.entityCount / 2);
                history.record(std::move(gesture));
            }
        }
        const double withHistory = heapBytes();
        state.counters["steps"] = history.undoSteps();
        state.counters["countedMB"] = static_cast<double>(history.bytes()) / (1024 * 1024);
        history.clear();
        state.counters["heapMB"] = (withHistory - heapBytes()) / (1024 * 1024);
    }
}
BENCHMARK(BM_HistoryMemory)->DenseRange(0, 3)->ArgName("scenario")->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
