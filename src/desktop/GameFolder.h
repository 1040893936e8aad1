#pragma once

#include <QString>

// Where the editor finds its game folder when none is given: no widgets, so
// the choice can be made and checked with plain folders.

// True when `folder` holds the catalogue Elements.txt.
bool holdsCatalogue(const QString& folder);

// The game folder the editor last started in, as the settings keep it;
// empty when there is none.
QString rememberedGameFolder();
void rememberGameFolder(const QString& folder);

// The working folder when it holds a catalogue, else the remembered folder
// when it still does; empty when neither does and the user must be asked.
QString findGameFolder(const QString& workingFolder, const QString& remembered);
