#pragma once

#include <QString>

class QWidget;

// Where copies of games that cannot be written go: "Tilewright" in the
// user's documents folder.
QString gameCopiesFolder();

// When levels cannot be saved in `gameFolder` or beside it (the installed
// sample), offers to copy the game folder and its levels into
// gameCopiesFolder() and to work on the copy. Gives the game folder to work
// in: the copy, or `gameFolder` itself when it can be written, when the user
// declines (told that saving will fail there) or when the copy fails (told
// why).
QString offerWritableCopy(const QString& gameFolder, QWidget* parent = nullptr);
