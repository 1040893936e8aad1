#include "model/modLists.h"

#include "model/CatalogueReader.h"

namespace modLists {

Catalogue catalogue;
Level level;

Result readElements(const QString& workingFolder)
{
    return loadCatalogue(workingFolder, catalogue);
}

} // namespace modLists
