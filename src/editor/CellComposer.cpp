#include "editor/CellComposer.h"

#include "editor/EditorPictures.h"
#include "editor/MapRenderer.h"
#include "model/Level.h"

#include <algorithm>
#include <bit>

namespace {

static_assert(CellComposer::side < 32, "a row of a cell's hatch is kept as the bits of one 32-bit number");

// The loops that combine rows of a look with rows of pictures. `d` is the
// look's first pixel to change, each of the others the matching pixel of a
// picture; each pointer moves on by its own stride from row to row. A look
// never overlaps a picture, which the compiler is told so that it need not
// check that before every row.

void copyRows(QRgb* __restrict d, qsizetype dStride, const QRgb* s, qsizetype sStride, int rows, int count)
{
    for (int r = 0; r < rows; ++r, d += dStride, s += sStride)
        for (int i = 0; i < count; ++i)
            d[i] = s[i];
}

void andRows(QRgb* __restrict d, qsizetype dStride, const QRgb* s, qsizetype sStride, int rows, int count)
{
    for (int r = 0; r < rows; ++r, d += dStride, s += sStride)
        for (int i = 0; i < count; ++i)
            d[i] &= s[i];
}

void orRows(QRgb* __restrict d, qsizetype dStride, const QRgb* s, qsizetype sStride, int rows, int count)
{
    for (int r = 0; r < rows; ++r, d += dStride, s += sStride)
        for (int i = 0; i < count; ++i)
            d[i] |= s[i];
}

// An entity over what the look shows.
void andOrRows(
    QRgb* __restrict d, qsizetype dStride, const QRgb* a, qsizetype aStride, const QRgb* o, qsizetype oStride, int rows, int count)
{
    for (int r = 0; r < rows; ++r, d += dStride, a += aStride, o += oStride)
        for (int i = 0; i < count; ++i)
            d[i] = (d[i] & a[i]) | o[i];
}

// An entity on its tile: the tile is never written on its own.
void copyAndOrRows(QRgb* __restrict d, qsizetype dStride, const QRgb* t, qsizetype tStride, const QRgb* a, qsizetype aStride, const QRgb* o,
    qsizetype oStride, int rows, int count)
{
    for (int r = 0; r < rows; ++r, d += dStride, t += tStride, a += aStride, o += oStride)
        for (int i = 0; i < count; ++i)
            d[i] = (t[i] & a[i]) | o[i];
}

bool fitsInCell(const QImage& picture)
{
    const int side = CellComposer::side;
    return picture.isNull() || (picture.format() == QImage::Format_RGB32 && picture.width() <= side && picture.height() <= side);
}

bool allFitInCells(const std::vector<QImage>& pictures)
{
    return std::all_of(pictures.begin(), pictures.end(), fitsInCell);
}

} // namespace

bool CellComposer::fits(const EditorPictures& pictures)
{
    return fitsInCell(pictures.player) && allFitInCells(pictures.tiles) && allFitInCells(pictures.entityAnd)
        && allFitInCells(pictures.entityOr);
}

CellComposer::CellComposer(const EditorPictures& pictures, const Level& level, int view)
    : m_level(level)
    , m_view(view)
    , m_cornerView(view > 0 && view < TileGrid::layerCount)
    , m_mainEntities(indexLayer(0))
{
    // A picture without pixels is never drawn: its step reaches no row.
    auto stepOf = [](const QImage& p, Step::Kind kind) {
        return Step{kind, p.width(), p.height(), reinterpret_cast<const QRgb*>(p.constBits()), p.bytesPerLine() / 4};
    };
    auto stepsOf = [&](const std::vector<QImage>& kinds, Step::Kind kind) {
        std::vector<Step> steps;
        for (const QImage& picture : kinds)
            steps.push_back(stepOf(picture, kind));
        return steps;
    };
    m_tileSteps = stepsOf(pictures.tiles, Step::Copy);
    m_andSteps = stepsOf(pictures.entityAnd, Step::And);
    m_orSteps = stepsOf(pictures.entityOr, Step::Or);
    if (!pictures.player.isNull())
        m_playerStep.push_back(stepOf(pictures.player, Step::And));
    m_ground.fill(maprenderer::backgroundColour);
    if (!m_cornerView)
        return;

    m_viewEntities = indexLayer(view);
    // Every cell of the grid has the same hatch: its lines lie a third of a
    // cell apart and a cell's own hatch falls on the pixels of the grid's.
    const QPoint corner = mapgeometry::cellCornerPixels(0, 0);
    QImage probe(corner.x() + side, corner.y() + side, QImage::Format_RGB32);
    probe.fill(0);
    maprenderer::drawHatch(probe, mapgeometry::cellTwips(0), mapgeometry::cellTwips(0), mapgeometry::cellPitch, mapgeometry::cellPitch);
    m_hatchedGround = m_ground;
    for (int r = 0; r < side; ++r)
        for (int c = 0; c < side; ++c)
            if (probe.pixel(corner.x() + c, corner.y() + r) == maprenderer::hatchColour) {
                m_hatch[static_cast<size_t>(r)] |= 1u << c;
                m_hatchedGround[static_cast<size_t>(r * lookStride + c)] = maprenderer::hatchColour;
            }
}

CellComposer::CellIndex CellComposer::indexLayer(int layer) const
{
    const int width = m_level.levelWidth;
    const int height = m_level.levelHeight;
    auto cellOf = [&](const Entity& e) {
        return e.layer == layer && e.x >= 0 && e.y >= 0 && e.x < width && e.y < height ? e.y * width + e.x : -1;
    };
    const auto count = static_cast<size_t>(m_level.entityCount);
    CellIndex index;
    index.first.assign(static_cast<size_t>(width * height) + 1, 0);
    for (size_t slot = 0; slot < count; ++slot)
        if (const int cell = cellOf(m_level.entities[slot]); cell >= 0)
            ++index.first[static_cast<size_t>(cell) + 1];
    for (size_t cell = 1; cell < index.first.size(); ++cell)
        index.first[cell] += index.first[cell - 1];
    index.entries.resize(static_cast<size_t>(index.first.back()));
    std::vector<int> next(index.first.begin(), index.first.end() - 1);
    for (size_t slot = 0; slot < count; ++slot)
        if (const int cell = cellOf(m_level.entities[slot]); cell >= 0)
            index.entries[static_cast<size_t>(next[static_cast<size_t>(cell)]++)] = static_cast<int>(slot);
    return index;
}

void CellComposer::addEntities(const CellIndex& index, int cell)
{
    const auto begin = static_cast<size_t>(index.first[static_cast<size_t>(cell)]);
    const auto end = static_cast<size_t>(index.first[static_cast<size_t>(cell) + 1]);
    for (size_t i = begin; i < end; ++i) {
        // A kind without both pictures is left out; a negative one wraps round to beyond them.
        const auto kind = static_cast<size_t>(m_level.entities[static_cast<size_t>(index.entries[i])].kind);
        if (kind < m_andSteps.size() && kind < m_orSteps.size()) {
            m_cellSteps.push_back(&m_andSteps[kind]);
            m_cellSteps.push_back(&m_orSteps[kind]);
        }
    }
}

// What cell (x, y) shows, in the order the layers are drawn.
void CellComposer::gatherSteps(int x, int y)
{
    auto addTile = [&](qint16 kind) {
        if (kind >= 0 && static_cast<size_t>(kind) < m_tileSteps.size())
            m_cellSteps.push_back(&m_tileSteps[static_cast<size_t>(kind)]);
    };
    const int cell = y * m_level.levelWidth + x;
    m_cellSteps.clear();
    addTile(m_level.levelTiles(0, x, y));
    addEntities(m_mainEntities, cell);
    if (m_cornerView) {
        m_cellSteps.push_back(&m_hatchStep);
        addTile(m_level.levelTiles(m_view, x, y));
        addEntities(m_viewEntities, cell);
    }
    if (x == m_level.playerX && y == m_level.playerY && !m_playerStep.empty())
        m_cellSteps.push_back(&m_playerStep.front());
}

// A tile hides every step before it that fits within it, so the cell looks
// as it would with those steps left out; the hatch is the same in every cell
// and stays. Cells that differ only in what is hidden then share a look.
void CellComposer::dropHiddenSteps()
{
    std::vector<const Step*>& steps = m_cellSteps;
    size_t tile = steps.size();
    while (tile > 0 && steps[tile - 1]->kind != Step::Copy)
        --tile;
    if (tile-- == 0)
        return;
    bool hatch = false;
    for (size_t i = 0; i < tile; ++i) {
        if (steps[i]->kind == Step::Hatch)
            hatch = true;
        else if (steps[i]->width > steps[tile]->width || steps[i]->height > steps[tile]->height)
            return;
    }
    const size_t kept = hatch ? 1 : 0;
    if (hatch)
        steps[0] = &m_hatchStep;
    steps.erase(steps.begin() + static_cast<qsizetype>(kept), steps.begin() + static_cast<qsizetype>(tile));
}

// The loops that draw the cell's steps. The rows where a picture ends split
// the cell into runs of rows that the same steps reach.
void CellComposer::plan()
{
    m_steps.clear();
    for (const Step* step : m_cellSteps)
        m_steps.push_back(*step);
    m_cuts.assign({0, side});
    for (const Step& step : m_steps)
        if (step.height > 0 && step.height < side)
            m_cuts.push_back(step.height);
    std::sort(m_cuts.begin(), m_cuts.end());
    m_cuts.erase(std::unique(m_cuts.begin(), m_cuts.end()), m_cuts.end());
    m_plan.clear();
    for (size_t run = 0; run + 1 < m_cuts.size(); ++run)
        addLoops(m_cuts[run], m_cuts[run + 1] - m_cuts[run]);
}

void CellComposer::addLoops(int firstRow, int rows)
{
    // From the last step back: a tile hides, in the columns it covers,
    // whatever was drawn before it, so that part is never drawn.
    int covered = 0;
    for (auto step = m_steps.rbegin(); step != m_steps.rend(); ++step) {
        if (step->height < firstRow + rows)
            continue;
        step->from = covered;
        if (step->kind == Step::Copy)
            covered = std::max(covered, step->width);
    }
    m_shown.clear();
    for (const Step& step : m_steps)
        if (step.height >= firstRow + rows && step.from < step.width)
            m_shown.push_back(step);

    auto loop = [&](Loop::Kind kind, int from, int to) { return Loop{kind, firstRow, rows, from, to - from}; };
    auto addPictures = [&](Loop pictures, std::initializer_list<const Step*> steps) {
        size_t p = 0;
        for (const Step* step : steps) {
            pictures.sources[p] = step->bits + firstRow * step->stride + step->from;
            pictures.strides[p++] = step->stride;
        }
        m_plan.push_back(pictures);
    };

    // Where no tile covers the cell the background shows, and with it the
    // hatch when that is drawn straight onto it.
    size_t i = 0;
    const Look* ground = &m_ground;
    if (!m_shown.empty() && m_shown.front().kind == Step::Hatch && m_shown.front().from == covered) {
        ground = &m_hatchedGround;
        i = 1;
    }
    if (covered < side) {
        Loop fill = loop(Loop::Copy, covered, side);
        fill.sources[0] = ground->data() + firstRow * lookStride + covered;
        fill.strides[0] = lookStride;
        m_plan.push_back(fill);
    }

    for (; i < m_shown.size(); ++i) {
        const Step& s = m_shown[i];
        const Step* next = i + 1 < m_shown.size() ? &m_shown[i + 1] : nullptr;
        const Step* afterNext = i + 2 < m_shown.size() ? &m_shown[i + 2] : nullptr;
        auto sameColumns = [&s](const Step* other) { return other->from == s.from && other->width == s.width; };
        if (s.kind == Step::Copy && afterNext && next->kind == Step::And && afterNext->kind == Step::Or && sameColumns(next)
            && sameColumns(afterNext)) {
            addPictures(loop(Loop::CopyAndOr, s.from, s.width), {&s, next, afterNext});
            i += 2;
        } else if (s.kind == Step::And && next && next->kind == Step::Or && sameColumns(next)) {
            addPictures(loop(Loop::AndOr, s.from, s.width), {&s, next});
            i += 1;
        } else if (s.kind == Step::Hatch) {
            m_plan.push_back(loop(Loop::Hatch, s.from, s.width));
        } else {
            addPictures(loop(s.kind == Step::Copy ? Loop::Copy : s.kind == Step::And ? Loop::And : Loop::Or, s.from, s.width), {&s});
        }
    }
}

void CellComposer::drawLoops(QRgb* look) const
{
    for (const Loop& l : m_plan) {
        QRgb* d = look + l.firstRow * lookStride + l.from;
        const auto& [s0, s1, s2] = l.sources;
        const auto& [t0, t1, t2] = l.strides;
        switch (l.kind) {
        case Loop::Copy:
            copyRows(d, lookStride, s0, t0, l.rows, l.count);
            break;
        case Loop::And:
            andRows(d, lookStride, s0, t0, l.rows, l.count);
            break;
        case Loop::Or:
            orRows(d, lookStride, s0, t0, l.rows, l.count);
            break;
        case Loop::AndOr:
            andOrRows(d, lookStride, s0, t0, s1, t1, l.rows, l.count);
            break;
        case Loop::CopyAndOr:
            copyAndOrRows(d, lookStride, s0, t0, s1, t1, s2, t2, l.rows, l.count);
            break;
        case Loop::Hatch:
            for (int r = l.firstRow; r < l.firstRow + l.rows; ++r) {
                QRgb* row = look + r * lookStride;
                for (quint32 hatch = m_hatch[static_cast<size_t>(r)] >> l.from << l.from; hatch != 0; hatch &= hatch - 1)
                    row[std::countr_zero(hatch)] = maprenderer::hatchColour;
            }
            break;
        }
    }
}

// The pixels of the cell's look: drawn before, or drawn now. When no more
// looks are kept, it is drawn into `unkept[x]`, which holds a row of cells.
const QRgb* CellComposer::lookOfSteps(std::vector<Look>& unkept, size_t x)
{
    // The steps are those made once per picture, so their addresses tell them apart.
    quint64 mixed = m_cellSteps.size();
    for (const Step* step : m_cellSteps)
        mixed = (mixed ^ reinterpret_cast<quintptr>(step)) * 0x9E3779B97F4A7C15ull;
    const auto hash = static_cast<size_t>(mixed ^ (mixed >> 29));
    const auto [begin, end] = m_lookByHash.equal_range(hash);
    for (auto it = begin; it != end; ++it) {
        const size_t look = it->second;
        const auto steps = m_lookSteps.begin() + static_cast<qsizetype>(m_lookStarts[look]);
        const auto stepsEnd = m_lookSteps.begin() + static_cast<qsizetype>(m_lookStarts[look + 1]);
        if (std::equal(steps, stepsEnd, m_cellSteps.begin(), m_cellSteps.end()))
            return m_looks[look].data();
    }
    plan();
    if (m_looks.size() == maxLooks) {
        unkept.resize(static_cast<size_t>(m_level.levelWidth));
        drawLoops(unkept[x].data());
        return unkept[x].data();
    }
    m_lookByHash.emplace(hash, m_looks.size());
    m_lookSteps.insert(m_lookSteps.end(), m_cellSteps.begin(), m_cellSteps.end());
    m_lookStarts.push_back(m_lookSteps.size());
    drawLoops(m_looks.emplace_back().data());
    return m_looks.back().data();
}

void CellComposer::draw(QImage& image, int top)
{
    const int width = m_level.levelWidth;
    const int corner0 = mapgeometry::cellCornerPixels(0, 0).y();
    const int firstCellRow = std::max(0, (top - corner0) / side);
    const int lastCellRow = std::min<int>(m_level.levelHeight - 1, (top + image.height() - corner0) / side);
    QRgb* const bits = reinterpret_cast<QRgb*>(image.bits()) + mapgeometry::cellCornerPixels(0, 0).x();
    const qsizetype stride = image.bytesPerLine() / static_cast<qsizetype>(sizeof(QRgb));
    std::vector<const QRgb*> looks(static_cast<size_t>(width));
    std::vector<Look> unkept; // room for a row of looks once no more are kept
    for (int y = firstCellRow; y <= lastCellRow; ++y) {
        const int cellTop = mapgeometry::cellCornerPixels(0, y).y() - top;
        const int firstRow = std::max(0, -cellTop);
        const int endRow = std::min(side, image.height() - cellTop);
        if (firstRow >= endRow)
            continue;
        for (size_t x = 0; x < looks.size(); ++x) {
            gatherSteps(static_cast<int>(x), y);
            dropHiddenSteps();
            looks[x] = lookOfSteps(unkept, x);
        }
        // Written a whole row of the map at a time, in the order the memory
        // lies: far faster than cell by cell down the rows.
        for (int r = firstRow; r < endRow; ++r) {
            QRgb* row = bits + (cellTop + r) * stride;
            for (size_t x = 0; x < looks.size(); ++x, row += side)
                std::copy_n(looks[x] + r * lookStride, side, row);
        }
    }
}
