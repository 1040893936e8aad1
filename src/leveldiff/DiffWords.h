#pragma once

#include "leveldiff/LevelDiff.h"
#include "leveldiff/LevelMerge.h"
#include "model/Catalogue.h"

#include <QString>
#include <QStringList>

// Differences and conflicts in words, one line each, with kinds by their
// catalogue names and layers by the captions of their views.
namespace leveldiff {

// "Main Level", "Top Left", "Top Right", "Bottom Left", "Bottom Right"; a
// layer a level file may name beyond those: "screen N".
QString layerName(int layer);

// "10 x 8, grown at the left: what was at 0, 0 is at 2, 0 now".
QString describeSize(const SizeChange& size);

// Every change: the size, the player start, then layer by layer a heading
// and the changes of its cells in reading order.
QStringList describeDiff(const LevelDiff& diff, const Catalogue& catalogue);

// Only the counts: the size, the player start, and per layer how many tiles
// changed and entities were added, removed or given other data.
QStringList describeDiffCounts(const LevelDiff& diff);

// One conflict, with its layer and cell.
QString describeConflict(const Conflict& conflict, const MergeResult& merge, const Catalogue& catalogue);

} // namespace leveldiff
