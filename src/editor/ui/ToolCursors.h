#pragma once

#include "editor/MapTools.h"

#include <QCursor>

// The pointer's shape over the map for each tool; the brush keeps the
// ordinary arrow the map has always shown.
QCursor toolCursor(Tool tool);
