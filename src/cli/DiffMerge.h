#pragma once

#include "cli/Commands.h"
#include "model/Catalogue.h"

class Console;

// diff OLD NEW: the changes in words on standard output; 0 when the levels
// are equal, 1 when they differ, 2 when a level could not be read whole. In
// git's form (the path, then the old and the new file with their hash and
// mode) it also heads the output with the path, and exits 0 for levels that
// differ, as git stops at any other status.
int diff(const Command& command, const Catalogue& catalogue, Console& console);

// merge BASE OURS THEIRS: ours with every change of theirs that conflicts
// with none of ours, written as Save writes it; every conflict is named on
// standard error. 0 when merged cleanly, 1 with conflicts, 2 when a level
// could not be read whole (nothing is written then) or the output could not
// be written.
int merge(const Command& command, const Catalogue& catalogue, Console& console);
