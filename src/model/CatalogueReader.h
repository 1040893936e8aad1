#pragma once

#include "model/Catalogue.h"
#include "model/Result.h"

#include <QByteArray>
#include <QString>

// The catalogue's file name in the game's working folder.
inline constexpr const char* catalogueFileName = "Elements.txt";

// Reads the catalogue text. On success fills `catalogue`; otherwise the
// failure tells what is wrong, naming the line, and `catalogue` is left as it
// was. `fileName` is the name used in the messages.
Result readCatalogue(const QByteArray& text, Catalogue& catalogue, const QString& fileName = QString::fromLatin1(catalogueFileName));

// Reads `Elements.txt` from `folder`; the message names the file's full path.
Result loadCatalogue(const QString& folder, Catalogue& catalogue);
