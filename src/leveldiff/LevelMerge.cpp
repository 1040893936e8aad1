#include "leveldiff/LevelMerge.h"

#include "leveldiff/EntityKeys.h"

#include <algorithm>
#include <iterator>
#include <tuple>

namespace leveldiff {

namespace {

// The three-way rule: a change on one side is taken, the same change on both
// sides once; different changes conflict, and ours stays.
template<typename Value>
bool pick(const Value& base, const Value& ours, const Value& theirs, Value& chosen)
{
    if (ours == theirs || theirs == base) {
        chosen = ours;
        return true;
    }
    if (ours == base) {
        chosen = theirs;
        return true;
    }
    chosen = ours;
    return false;
}

// An entity's data text on one side; none where it has no such entity.
using Data = const QString*;

bool sameData(Data a, Data b)
{
    return a == b || (a && b && *a == *b);
}

std::optional<QString> copyOf(Data data)
{
    return data ? std::optional<QString>(*data) : std::nullopt;
}

Conflict conflictOf(Conflict::What what, Conflict::Why why = Conflict::Why::BothResized)
{
    Conflict conflict;
    conflict.what = what;
    conflict.why = why;
    return conflict;
}

// An entity of the merged level: taken from a slot of ours or of theirs.
struct Placed
{
    int slot = 0;
    EntityKey key;
    Data data = nullptr;
};

class Merger
{
public:
    Merger(const Level& base, const Level& ours, const Level& theirs, MergeResult& result)
        : m_base(base)
        , m_ours(ours)
        , m_theirs(theirs)
        , m_result(result)
    {
    }

    // Merges into the grid of theirs (when only theirs resized) or of ours.
    // Without `theirsResize`, theirs's resize is left out: its cut-off cells
    // count as unchanged and what it added beyond the base is dropped.
    void merge(bool theirsGrid, bool theirsResize)
    {
        m_frame = theirsGrid ? m_result.theirs : m_result.ours;
        m_theirsResize = theirsResize;
        m_oursChanged = m_result.ours.resized();
        m_theirsChanged = m_result.theirs.resized();
        m_cutConflict = false;
        m_result.conflicts.clear();
        Level& level = m_result.level;
        levelops::replaceGrid(level, static_cast<qint16>(m_frame.newWidth), static_cast<qint16>(m_frame.newHeight));
        levelops::clearEntities(level);
        mergeCells();
        mergeEntities();
        mergePlayer();
    }

    bool oursChanged() const { return m_oursChanged; }
    bool theirsChanged() const { return m_theirsChanged; }
    // Theirs's resize cuts off a change of ours.
    bool cutConflict() const { return m_cutConflict; }

private:
    int baseCell(int layer, int x, int y) const
    {
        return m_base.levelTiles.contains(x, y) ? m_base.levelTiles(layer, x, y) : TileGrid::emptyValue(layer);
    }

    int sideCell(const Level& side, const SizeChange& size, int layer, int x, int y) const
    {
        if (side.levelTiles.contains(x + size.dx, y + size.dy))
            return side.levelTiles(layer, x + size.dx, y + size.dy);
        return m_base.levelTiles.contains(x, y) ? cutOff : TileGrid::emptyValue(layer);
    }

    // Whether theirs's version of a base cell counts: not when theirs's
    // resize is left out and cut the cell off or added it.
    bool theirsCounts(int x, int y) const { return m_theirsResize || (m_base.levelTiles.contains(x, y) && m_result.theirs.keeps(x, y)); }

    void mergeCell(int layer, int x, int y, int atX, int atY, bool cut, qint16* into)
    {
        const int b = baseCell(layer, x, y);
        const int o = sideCell(m_ours, m_result.ours, layer, x, y);
        int t = sideCell(m_theirs, m_result.theirs, layer, x, y);
        m_oursChanged |= o != b;
        m_theirsChanged |= t != b;
        if (!theirsCounts(x, y))
            t = b;
        int chosen = 0;
        if (!pick(b, o, t, chosen)) {
            Conflict conflict = conflictOf(Conflict::What::Tile);
            conflict.layer = layer;
            conflict.x = atX;
            conflict.y = atY;
            conflict.cut = cut;
            conflict.base = b;
            conflict.ours = o;
            conflict.theirs = t;
            m_result.conflicts.push_back(conflict);
            m_cutConflict |= cut && o != cutOff;
        }
        if (into)
            *into = static_cast<qint16>(chosen == cutOff ? TileGrid::emptyValue(layer) : chosen);
    }

    void mergeCells()
    {
        TileGrid& grid = m_result.level.levelTiles;
        for (int layer = 0; layer < TileGrid::layerCount; ++layer) {
            for (int y = 0; y < m_frame.newHeight; ++y)
                for (int x = 0; x < m_frame.newWidth; ++x)
                    mergeCell(layer, x - m_frame.dx, y - m_frame.dy, x, y, false, &grid(layer, x, y));
            // The base's cells that the merged level's resize cut off: a
            // change there on the other side conflicts with the resize.
            if (!m_frame.resized())
                continue;
            for (int y = 0; y < m_base.levelHeight; ++y)
                for (int x = 0; x < m_base.levelWidth; ++x)
                    if (!m_frame.keeps(x, y))
                        mergeCell(layer, x, y, x, y, true, nullptr);
        }
    }

    void mergeEntities()
    {
        const std::vector<KeyedEntity> bases = keyedEntities(m_base);
        const std::vector<KeyedEntity> ourss = keyedEntities(m_ours, m_result.ours.dx, m_result.ours.dy);
        const std::vector<KeyedEntity> theirss = keyedEntities(m_theirs, m_result.theirs.dx, m_result.theirs.dy);
        std::vector<Placed> kept(static_cast<size_t>(m_ours.entityCount));
        std::vector<Placed> added;
        size_t i = 0;
        size_t j = 0;
        size_t k = 0;
        while (i < bases.size() || j < ourss.size() || k < theirss.size()) {
            // The smallest key still to come, and each side's entity of that key.
            EntityKey key = i < bases.size() ? bases[i].key : j < ourss.size() ? ourss[j].key : theirss[k].key;
            if (j < ourss.size())
                key = std::min(key, ourss[j].key);
            if (k < theirss.size())
                key = std::min(key, theirss[k].key);
            const bool inBase = i < bases.size() && bases[i].key == key;
            const bool inOurs = j < ourss.size() && ourss[j].key == key;
            const bool inTheirs = k < theirss.size() && theirss[k].key == key;
            const Data b = inBase ? &m_base.entityData[static_cast<size_t>(bases[i].slot)] : nullptr;
            const Data o = inOurs ? &m_ours.entityData[static_cast<size_t>(ourss[j].slot)] : nullptr;
            Data t = inTheirs ? &m_theirs.entityData[static_cast<size_t>(theirss[k].slot)] : nullptr;
            m_oursChanged |= !sameData(o, b);
            m_theirsChanged |= !sameData(t, b);
            if (!theirsCounts(key.x, key.y))
                t = b;

            Data chosen = o;
            bool agreed = sameData(o, t) || sameData(t, b) || sameData(o, b);
            if (agreed && sameData(o, b))
                chosen = t;
            // What the other side has where the merged level's resize cut
            // the cell off is lost with the cell.
            const bool cut = m_frame.resized() && m_base.levelTiles.contains(key.x, key.y) && !m_frame.keeps(key.x, key.y);
            if (agreed && cut && chosen) {
                agreed = false;
                chosen = o;
            }
            if (!agreed) {
                Conflict conflict = conflictOf(Conflict::What::Entity);
                conflict.layer = key.layer;
                conflict.x = cut ? key.x : key.x + m_frame.dx;
                conflict.y = cut ? key.y : key.y + m_frame.dy;
                conflict.cut = cut;
                conflict.kind = key.kind;
                conflict.order = key.order;
                conflict.baseData = copyOf(b);
                conflict.oursData = copyOf(o);
                conflict.theirsData = copyOf(t);
                m_result.conflicts.push_back(conflict);
                m_cutConflict |= cut && o;
            }
            if (inOurs)
                kept[static_cast<size_t>(ourss[j].slot)] = {ourss[j].slot, key, chosen};
            else if (chosen)
                added.push_back({theirss[k].slot, key, chosen});
            i += inBase;
            j += inOurs;
            k += inTheirs;
        }
        // Ours's entities in ours's order, then those theirs added in theirs's.
        std::sort(added.begin(), added.end(), [](const Placed& a, const Placed& b) { return a.slot < b.slot; });
        kept.insert(kept.end(), added.begin(), added.end());
        for (const Placed& placed : kept) {
            if (!placed.data)
                continue;
            const Entity entity{static_cast<qint16>(placed.key.layer), static_cast<qint16>(placed.key.x + m_frame.dx),
                static_cast<qint16>(placed.key.y + m_frame.dy), static_cast<qint16>(placed.key.kind)};
            if (!levelops::appendEntity(m_result.level, entity, *placed.data)) {
                m_result.conflicts.push_back(conflictOf(Conflict::What::TooManyEntities));
                return;
            }
        }
    }

    void mergePlayer()
    {
        m_oursChanged |= m_result.oursPlayer != m_result.basePlayer;
        m_theirsChanged |= m_result.theirsPlayer != m_result.basePlayer;
        PlayerStart chosen;
        if (!pick(m_result.basePlayer, m_result.oursPlayer, m_result.theirsPlayer, chosen))
            m_result.conflicts.push_back(conflictOf(Conflict::What::Player));
        Level& level = m_result.level;
        levelops::movePlayer(level, chosen.x, chosen.y);
        level.playerData = chosen.data;
    }

    const Level& m_base;
    const Level& m_ours;
    const Level& m_theirs;
    MergeResult& m_result;
    SizeChange m_frame;
    bool m_theirsResize = true;
    bool m_oursChanged = false;
    bool m_theirsChanged = false;
    bool m_cutConflict = false;
};

bool sameResize(const SizeChange& a, const SizeChange& b)
{
    return a.newWidth == b.newWidth && a.newHeight == b.newHeight && a.dx == b.dx && a.dy == b.dy;
}

} // namespace

MergeResult mergeLevels(const Level& base, const Level& ours, const Level& theirs)
{
    MergeResult result;
    result.ours = findSizeChange(base, ours);
    result.theirs = findSizeChange(base, theirs);
    result.basePlayer = playerStart(base);
    result.oursPlayer = playerStart(ours);
    result.theirsPlayer = playerStart(theirs);
    auto whole = [&](Conflict::Why why) {
        result.level = ours;
        result.conflicts = {conflictOf(Conflict::What::Size, why)};
        return result;
    };
    auto take = [&](const Level& side) {
        result.level = side;
        return result;
    };

    const bool oursResized = result.ours.resized();
    const bool theirsResized = result.theirs.resized();
    if (oursResized && theirsResized
        && (result.ours.newWidth != result.theirs.newWidth || result.ours.newHeight != result.theirs.newHeight))
        return whole(Conflict::Why::BothResized);
    // Without a known shift no cell of the resized side can be matched:
    // only a side that changed nothing lets the other one through.
    if ((oursResized && !result.ours.known) || (theirsResized && !result.theirs.known)) {
        if (diffLevels(base, theirs).isEmpty() || diffLevels(ours, theirs).isEmpty())
            return take(ours);
        if (diffLevels(base, ours).isEmpty())
            return take(theirs);
        return whole(Conflict::Why::CornerUnknown);
    }
    if (oursResized && theirsResized && !sameResize(result.ours, result.theirs))
        return whole(Conflict::Why::BothResized);

    Merger merger(base, ours, theirs, result);
    const bool theirsGrid = theirsResized && !oursResized;
    merger.merge(theirsGrid, true);
    if (!merger.theirsChanged())
        return take(ours);
    if (!merger.oursChanged())
        return take(theirs);
    if (theirsGrid && merger.cutConflict()) {
        // Ours's changes stand where theirs's resize would cut them off: the
        // level keeps ours's size, and the rest of theirs is merged into it.
        std::vector<Conflict> cut{conflictOf(Conflict::What::Size, Conflict::Why::CutsOursOff)};
        std::copy_if(result.conflicts.begin(), result.conflicts.end(), std::back_inserter(cut), [](const Conflict& c) { return c.cut; });
        merger.merge(false, false);
        result.conflicts.insert(result.conflicts.begin(), cut.begin(), cut.end());
    }
    const auto full = [](const Conflict& c) { return c.what == Conflict::What::TooManyEntities; };
    if (std::any_of(result.conflicts.begin(), result.conflicts.end(), full)) {
        take(ours); // never half of the entities
        result.conflicts = {conflictOf(Conflict::What::TooManyEntities)};
        return result;
    }
    // The size first, then cell by cell in reading order, the player start last.
    auto rank = [](const Conflict& c) { return c.what == Conflict::What::Size ? 0 : c.what == Conflict::What::Player ? 2 : 1; };
    std::stable_sort(result.conflicts.begin(), result.conflicts.end(), [&](const Conflict& a, const Conflict& b) {
        return std::tuple(rank(a), a.layer, a.y, a.x) < std::tuple(rank(b), b.layer, b.y, b.x);
    });
    return result;
}

} // namespace leveldiff
