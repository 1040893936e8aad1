// The area tools' speed on the biggest level there is, each with its repaint
// and its step in the history: a fill of a whole layer, a rectangle placing
// an entity in every cell, and a replace over all five layers; and the
// selection's copy, cut, paste and move of a whole layer.
#include "editor/AreaOperations.h"
#include "editor/ui/MapSurface.h"
#include "editor/ui/frmMain.h"
#include "model/modLists.h"

#include "SampleGame.h"

#include <benchmark/benchmark.h>

#include <QClipboard>
#include <QCursor>
#include <QGuiApplication>
#include <QMimeData>

namespace {

constexpr int size = Level::maxSize;

QPoint cellCentre(int x, int y)
{
    return QPoint(8 + 31 * x + 15, 8 + 31 * y + 15);
}

// The editor window on a 70 x 70 level, its map the main view.
frmMain& window()
{
    static frmMain* w = [] {
        auto* made = new frmMain;
        if (!made->Form_Load())
            qFatal("the sample pictures cannot be read");
        levelops::replaceGrid(modLists::level, size, size);
        made->prcDrawTiles();
        made->Form_Resize();
        return made;
    }();
    return *w;
}

MapSurface* map()
{
    return window().findChild<MapSurface*>(QStringLiteral("picInner"));
}

// The level as full as a level can be: a tile of one kind in every cell of
// the main level, tiles on the corner screens, and 32767 entities.
void fillToTheBrim(Level& level)
{
    levelops::replaceGrid(level, size, size);
    const int entityKinds = modLists::catalogue.entityCount();
    for (int layer = 1; layer < TileGrid::layerCount; ++layer)
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                level.levelTiles(layer, x, y) = static_cast<qint16>((x + y + layer) % 3);
    for (int i = 0; levelops::appendEntity(level,
             {static_cast<qint16>(i % 5), static_cast<qint16>(i % size), static_cast<qint16>(i / size % size),
                 static_cast<qint16>(i % entityKinds)},
             QStringLiteral("data %1").arg(i));
         ++i) { }
}

// F, then a click: the whole main level, one kind throughout, becomes the
// other kind, and back on the next turn.
void BM_FillAWholeLayer(benchmark::State& state)
{
    frmMain& w = window();
    fillToTheBrim(modLists::level);
    w.prcDrawTiles();
    w.chooseTool(Tool::Fill);
    int kind = 1;
    for (auto _ : state) {
        w.imgTile_Click(kind);
        sendMouse(map(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, cellCentre(35, 35));
        sendMouse(map(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, cellCentre(35, 35));
        kind = 1 - kind;
    }
    if (modLists::level.levelTiles(0, 69, 69) != 1 - kind)
        state.SkipWithError("the fill did not reach the far corner");
    w.chooseTool(Tool::Brush);
}
BENCHMARK(BM_FillAWholeLayer)->Unit(benchmark::kMillisecond);

// R, and a drag from corner to corner with an entity kind: 4 900 entities
// placed. The undo that makes room for the next turn is not timed.
void BM_RectanglePlacingAnEntityInEveryCell(benchmark::State& state)
{
    frmMain& w = window();
    levelops::makeNewLevel(modLists::level);
    levelops::replaceGrid(modLists::level, size, size);
    w.history().clear();
    w.prcDrawTiles();
    w.imgEntity_Click(1);
    w.chooseTool(Tool::Rectangle);
    for (auto _ : state) {
        sendMouse(map(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, cellCentre(0, 0));
        sendMouse(map(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, cellCentre(69, 69));
        sendMouse(map(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, cellCentre(69, 69));
        state.PauseTiming();
        if (modLists::level.entityCount != size * size)
            state.SkipWithError("the rectangle did not place an entity in every cell");
        w.undo();
        state.ResumeTiming();
    }
    w.chooseTool(Tool::Brush);
}
BENCHMARK(BM_RectanglePlacingAnEntityInEveryCell)->Unit(benchmark::kMillisecond);

// Every entity of one kind given another on all five layers of the fullest
// level (or every tile of one kind, with range(0) == 0), its cells drawn
// again and the step recorded.
void BM_ReplaceOnAllLayers(benchmark::State& state)
{
    frmMain& w = window();
    fillToTheBrim(modLists::level);
    w.history().clear();
    w.prcDrawTiles();
    const bool entities = state.range(0) != 0;
    qint16 from = 0;
    qint16 to = 1;
    for (auto _ : state) {
        w.applyReplacement({entities, from, to, true, 0});
        std::swap(from, to);
    }
    if (areaops::countReplacement(modLists::level, {entities, to, from, true, 0}) != 0)
        state.SkipWithError("not every one was replaced");
}
BENCHMARK(BM_ReplaceOnAllLayers)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The fullest level, shown on a corner view, with all of it selected.
frmMain& selectedWholeLayer()
{
    frmMain& w = window();
    fillToTheBrim(modLists::level);
    w.history().clear();
    w.optView_Click(2);
    // The pointer off the map: a paste lands at the top-left of what shows, where the layer was.
    QCursor::setPos(-1000, -1000);
    w.selectAll();
    return w;
}

// Ctrl+C on a whole layer: the block taken, its text written and handed to the clipboard.
void BM_CopyAWholeLayer(benchmark::State& state)
{
    frmMain& w = selectedWholeLayer();
    for (auto _ : state)
        w.copySelection();
    if (!QGuiApplication::clipboard()->mimeData()->hasText())
        state.SkipWithError("nothing was copied");
}
BENCHMARK(BM_CopyAWholeLayer)->Unit(benchmark::kMillisecond);

// Ctrl+X: the copy, then 4 900 cells erased and some 6 500 entities removed,
// repainted and recorded. The undo that brings them back is not timed.
void BM_CutAWholeLayer(benchmark::State& state)
{
    frmMain& w = selectedWholeLayer();
    for (auto _ : state) {
        w.cutSelection();
        state.PauseTiming();
        if (modLists::level.entityCount == Level::maxEntities)
            state.SkipWithError("nothing was cut");
        w.undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CutAWholeLayer)->Unit(benchmark::kMillisecond);

// Ctrl+V of that layer where it was cut: the clipboard's text read, 4 900
// cells and some 6 500 entities put back, repainted and recorded.
void BM_PasteAWholeLayer(benchmark::State& state)
{
    frmMain& w = selectedWholeLayer();
    w.cutSelection();
    for (auto _ : state) {
        w.pasteBlock();
        state.PauseTiming();
        if (modLists::level.entityCount != Level::maxEntities)
            state.SkipWithError("the paste did not bring every entity back");
        w.undo();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PasteAWholeLayer)->Unit(benchmark::kMillisecond);

// A drag of the whole selected layer one cell to the right: its last column
// falls off, every other cell and entity of the layer moves.
void BM_MoveAWholeLayer(benchmark::State& state)
{
    frmMain& w = selectedWholeLayer();
    for (auto _ : state) {
        sendMouse(map(), QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, cellCentre(35, 35));
        sendMouse(map(), QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, cellCentre(36, 35));
        sendMouse(map(), QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, cellCentre(36, 35));
        state.PauseTiming();
        if (w.history().undoSteps() != 1)
            state.SkipWithError("the layer did not move");
        w.undo();
        w.selectAll();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_MoveAWholeLayer)->Unit(benchmark::kMillisecond);

} // namespace
