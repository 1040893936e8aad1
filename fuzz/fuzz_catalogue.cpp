// Feeds arbitrary bytes to the catalogue reader. Besides finding crashes, it
// checks that a catalogue it accepts has the kinds its counts announce, each
// with a name a level file can hold, and that a refusal is one message that
// names the file and quotes no more than a short piece of it.
#include "model/CatalogueReader.h"
#include "model/Excerpt.h"

#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool isLevelFileName(const QString& name)
{
    return !name.isEmpty() && !name.contains(u'\t') && !name.contains(u'\r');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    Catalogue catalogue;
    const Result read = readCatalogue(text, catalogue, QStringLiteral("Elements.txt"));
    if (!read) {
        require(read.message().startsWith(QStringLiteral("\"Elements.txt\"")));
        // A few quoted pieces of the file and the words around them.
        require(read.message().size() < 3 * longestExcerpt + 400);
        require(catalogue.tileDefLast() == -1 && catalogue.tileDefs.empty());
        return 0;
    }
    require(catalogue.tileDefLast() >= 0 && catalogue.entityDefLast() >= 0);
    for (int kind = 0; kind < catalogue.tileCount(); ++kind)
        require(isLevelFileName(catalogue.tileName(kind)));
    for (int kind = 0; kind < catalogue.entityCount(); ++kind)
        require(isLevelFileName(catalogue.entityName(kind)));
    return 0;
}
