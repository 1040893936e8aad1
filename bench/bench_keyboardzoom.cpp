// The map's zoom and its cursor on the biggest and fullest level there is,
// each with the repaint of what shows on the screen: a zoom step at every
// scale, and a move of the cursor.
#include "editor/ui/MapSurface.h"
#include "editor/ui/frmMain.h"
#include "model/modLists.h"

#include "SampleGame.h"

#include <benchmark/benchmark.h>

#include <QAction>
#include <QApplication>
#include <QWindow>

namespace {

constexpr int size = Level::maxSize;
constexpr int cornerView = 3;

// Counts the map's paint events, so that a run that painted nothing says so.
class PaintCounter : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

// The window on a 70 x 70 level with a tile in every cell of the main level
// and of a corner screen and an entity in every cell of both, shown on that
// corner screen: the map as busy as it gets.
frmMain& window()
{
    static frmMain* w = [] {
        auto* made = new frmMain;
        if (!made->Form_Load())
            qFatal("the sample pictures cannot be read");
        Level& level = modLists::level;
        levelops::replaceGrid(level, size, size);
        const qint16 tiles = static_cast<qint16>(modLists::catalogue.tileCount());
        const qint16 entities = static_cast<qint16>(modLists::catalogue.entityCount());
        for (qint16 x = 0; x < size; ++x)
            for (qint16 y = 0; y < size; ++y) {
                level.levelTiles(0, x, y) = static_cast<qint16>((x + y) % tiles);
                level.levelTiles(cornerView, x, y) = static_cast<qint16>((x * y) % tiles);
                if (!levelops::appendEntity(level, {0, x, y, static_cast<qint16>(x % entities)})
                    || !levelops::appendEntity(level, {cornerView, x, y, static_cast<qint16>(y % entities)}))
                    qFatal("the benchmark level is full");
            }
        made->optView_Click(cornerView);
        made->show();
        for (int turn = 0; turn < 100 && !made->windowHandle()->isExposed(); ++turn)
            QCoreApplication::processEvents();
        if (!made->windowHandle()->isExposed())
            qFatal("the window does not show");
        made->Form_Resize();
        return made;
    }();
    return *w;
}

MapSurface* map()
{
    return window().findChild<MapSurface*>(QStringLiteral("picInner"));
}

// One step to the scale of range(0) (an index into MapScale::cellSizes), from
// the step beside it and back again in turns, each with the map area painted
// again at once: the new size, the scroll bars, the place kept under the
// middle of the view and every pixel in sight worked out.
void BM_ZoomStep(benchmark::State& state)
{
    frmMain& w = window();
    QWidget* area = w.findChild<QWidget*>(QStringLiteral("picArea"));
    PaintCounter counter;
    map()->installEventFilter(&counter);
    const int target = static_cast<int>(state.range(0));
    const int beside = target > 0 ? target - 1 : target + 1;
    const QPointF middle(285, 285);
    w.zoomToStep(beside, middle);
    bool toTarget = true;
    for (auto _ : state) {
        w.zoomToStep(toTarget ? target : beside, middle);
        area->repaint();
        toTarget = !toTarget;
    }
    map()->removeEventFilter(&counter);
    if (counter.paints < state.iterations())
        state.SkipWithError("the map was not painted at every step");
    w.zoomToStep(MapScale::designedStep);
    state.SetLabel(QStringLiteral("%1 pixels a cell").arg(MapScale::cellSizes[static_cast<size_t>(target)]).toStdString());
}
BENCHMARK(BM_ZoomStep)->DenseRange(0, static_cast<int>(MapScale::cellSizes.size()) - 1)->Unit(benchmark::kMillisecond);

// The cursor one cell right, then left, in the middle of the map at the
// scale of range(0), with the repaint of the cells it left and entered.
void BM_CursorMove(benchmark::State& state)
{
    frmMain& w = window();
    w.zoomToStep(static_cast<int>(state.range(0)), QPointF(285, 285));
    map()->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
    PaintCounter counter;
    map()->installEventFilter(&counter);
    QAction* right = w.findChild<QAction*>(QStringLiteral("actCursorRight"));
    QAction* left = w.findChild<QAction*>(QStringLiteral("actCursorLeft"));
    bool toRight = true;
    for (auto _ : state) {
        (toRight ? right : left)->trigger();
        QCoreApplication::processEvents();
        toRight = !toRight;
    }
    map()->removeEventFilter(&counter);
    if (counter.paints < state.iterations())
        state.SkipWithError("the map was not painted at every move");
    w.zoomToStep(MapScale::designedStep);
}
BENCHMARK(BM_CursorMove)
    ->Arg(MapScale::designedStep)
    ->Arg(0)
    ->Arg(static_cast<int>(MapScale::cellSizes.size()) - 1)
    ->Unit(benchmark::kMicrosecond);

} // namespace
