#pragma once

#include <QString>

// Level files, the level index and the catalogue are 8-bit text: each
// character is one byte, as Latin-1 reads it. A character beyond Latin-1
// ("€", "Ж") cannot be stored and would come back as "?".

// The characters of the text that an 8-bit file cannot store, each once, in
// the order they first appear, quoted and joined for a message: "€", "Ж".
// Empty when the text can be stored as it is.
QString charactersBeyondEightBit(const QString& text);
