// Feeds arbitrary bytes to the level reader. Besides finding crashes, it
// checks that whatever the reader accepts, the writer writes in a form the
// reader takes back whole, and that writing settles after one round.
#include "SampleElements.h"

#include "levelfile/LevelReader.h"
#include "levelfile/LevelWriter.h"
#include "model/CatalogueReader.h"
#include "model/Excerpt.h"

#include <cstdint>
#include <cstdlib>

namespace {

const Catalogue& sampleCatalogue()
{
    static const Catalogue catalogue = [] {
        Catalogue c;
        const QByteArray text(reinterpret_cast<const char*>(sampleElements), sizeof sampleElements);
        if (!readCatalogue(text, c))
            std::abort();
        return c;
    }();
    return catalogue;
}

void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const Catalogue& catalogue = sampleCatalogue();
    const Level current;
    const LevelReadResult read =
        readLevel(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)), catalogue, current);
    // A message quotes at most a short piece of the file.
    for (const LevelFileReport& report : read.reports)
        require(report.message.size() < longestExcerpt + 100);
    if (!read.ok) {
        require(read.failure.line >= 1 && read.failure.message.startsWith(QStringLiteral("Bad input file: line ")));
        require(read.failure.message.size() < longestExcerpt + 200);
        return 0;
    }
    require(read.level.isConsistent());

    const QByteArray written = writeLevel(read.level, catalogue);
    const LevelReadResult again = readLevel(written, catalogue, current);
    require(again.ok && again.reports.empty() && again.level.isConsistent());
    // The sample's tile and entity names differ, so every tile comes back.
    require(again.level.levelTiles == read.level.levelTiles);
    require(again.level.playerX == read.level.playerX && again.level.playerY == read.level.playerY);

    const QByteArray settled = writeLevel(again.level, catalogue);
    const LevelReadResult last = readLevel(settled, catalogue, current);
    require(last.ok && writeLevel(last.level, catalogue) == settled);
    return 0;
}
