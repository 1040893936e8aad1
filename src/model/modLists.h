#pragma once

#include "model/Catalogue.h"
#include "model/Level.h"

#include <QString>

// The program's shared state: the one catalogue and the one level being
// edited. Windows reach them here directly; logic functions take them as
// parameters so that tests can build their own.
namespace modLists {

extern Catalogue catalogue;
extern Level level;

// Start-up: reads the catalogue from the working folder. Returns an empty
// text on success, else what is wrong, for the user.
QString readElements(const QString& workingFolder);

} // namespace modLists
