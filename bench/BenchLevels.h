// Levels the benchmarks of the level files share.
#pragma once

#include "model/Catalogue.h"
#include "model/Level.h"

#include <QByteArray>

// 14 tile kinds and 7 entity kinds, as in the sample game.
Catalogue benchCatalogue();

// That catalogue as Elements.txt holds it.
QByteArray benchCatalogueFile();

// A level of that size with every cell of all five layers holding a tile and
// `entities` entities spread over the layers and cells in turn, each with the
// 20-character data text 1,2,3,4,5,6,7,8,9,10.
Level fullLevel(int width, int height, int entities);

// The largest level the editor can hold: 70 by 70, full, 32767 entities.
inline Level largestLevel(int entities = Level::maxEntities)
{
    return fullLevel(Level::maxSize, Level::maxSize, entities);
}
