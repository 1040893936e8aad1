#pragma once

#include "model/Catalogue.h"
#include "model/Level.h"
#include "model/Result.h"

#include <QString>

// The program's shared state: the one catalogue and the one level being
// edited. Windows reach them here directly; logic functions take them as
// parameters so that tests can build their own.
namespace modLists {

extern Catalogue catalogue;
extern Level level;

// Start-up: reads the catalogue from the working folder; a failure tells the
// user what is wrong.
Result readElements(const QString& workingFolder);

} // namespace modLists
