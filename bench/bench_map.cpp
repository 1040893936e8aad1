// The map's speed: a whole redraw against a plain fill, one mouse edit, and
// a left drag across a row, all on the biggest and fullest level there is.
#include "editor/MapRenderer.h"
#include "editor/ui/MapSurface.h"
#include "editor/ui/frmMain.h"
#include "model/modLists.h"

#include "SampleGame.h"

#include <benchmark/benchmark.h>

#include <QApplication>

namespace {

constexpr int size = Level::maxSize;
constexpr int cornerView = 3;

// A 70 x 70 level with a tile in every cell of the main level and of the
// corner view, and an entity in every cell of both.
void fillLevel(Level& level)
{
    levelops::makeNewLevel(level);
    levelops::replaceGrid(level, size, size);
    const qint16 tileKinds = static_cast<qint16>(modLists::catalogue.tileCount());
    const qint16 entityKinds = static_cast<qint16>(modLists::catalogue.entityCount());
    for (qint16 x = 0; x < size; ++x)
        for (qint16 y = 0; y < size; ++y) {
            level.levelTiles(0, x, y) = static_cast<qint16>((x + y) % tileKinds);
            level.levelTiles(cornerView, x, y) = static_cast<qint16>((x * y) % tileKinds);
            if (!levelops::appendEntity(level, {0, x, y, static_cast<qint16>(x % entityKinds)}))
                qFatal("the benchmark level is full");
            if (!levelops::appendEntity(level, {cornerView, x, y, static_cast<qint16>(y % entityKinds)}))
                qFatal("the benchmark level is full");
        }
    levelops::movePlayer(level, 35, 35);
}

// The editor window on the full level, shown on the corner view.
frmMain& window()
{
    static frmMain* w = [] {
        auto* made = new frmMain;
        if (!made->Form_Load())
            qFatal("the sample pictures cannot be read");
        fillLevel(modLists::level);
        made->optView_Click(cornerView);
        made->Form_Resize();
        return made;
    }();
    return *w;
}

void BM_FullRedraw(benchmark::State& state)
{
    frmMain& w = window();
    for (auto _ : state)
        w.prcDrawTiles();
}
BENCHMARK(BM_FullRedraw)->Unit(benchmark::kMillisecond);

void BM_FillOfTheSameImage(benchmark::State& state)
{
    QImage& image = window().findChild<MapSurface*>(QStringLiteral("picInner"))->image();
    for (auto _ : state) {
        image.fill(maprenderer::backgroundColour);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_FillOfTheSameImage)->Unit(benchmark::kMillisecond);

// One press in the middle of the map, painting and erasing in turn so every
// press changes the cell.
void BM_MouseDownEdit(benchmark::State& state)
{
    frmMain& w = window();
    w.imgTile_Click(4);
    QWidget* map = w.findChild<MapSurface*>(QStringLiteral("picInner"));
    const QPoint at(8 + 31 * 40 + 10, 8 + 31 * 30 + 10);
    bool erase = false;
    for (auto _ : state) {
        const Qt::MouseButton button = erase ? Qt::RightButton : Qt::LeftButton;
        sendMouse(map, QEvent::MouseButtonPress, button, button, at);
        sendMouse(map, QEvent::MouseButtonRelease, button, Qt::NoButton, at);
        erase = !erase;
    }
}
BENCHMARK(BM_MouseDownEdit)->Unit(benchmark::kMicrosecond);

// A left press on the first cell of a row and moves over the other 69.
void BM_LeftDragAcrossARow(benchmark::State& state)
{
    frmMain& w = window();
    QWidget* map = w.findChild<MapSurface*>(QStringLiteral("picInner"));
    int kind = 0;
    for (auto _ : state) {
        w.imgTile_Click(kind);
        const int y = 8 + 31 * 20 + 10;
        sendMouse(map, QEvent::MouseButtonPress, Qt::LeftButton, Qt::LeftButton, {18, y});
        for (int x = 1; x < size; ++x)
            sendMouse(map, QEvent::MouseMove, Qt::NoButton, Qt::LeftButton, {8 + 31 * x + 10, y});
        sendMouse(map, QEvent::MouseButtonRelease, Qt::LeftButton, Qt::NoButton, {8 + 31 * 69 + 10, y});
        kind = (kind + 1) % modLists::catalogue.tileCount();
    }
}
BENCHMARK(BM_LeftDragAcrossARow)->Unit(benchmark::kMicrosecond);

} // namespace
