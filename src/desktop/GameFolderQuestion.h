#pragma once

#include <QString>

class QWidget;

// The title of the folder dialog that asks for the game folder.
inline constexpr const char* gameFolderQuestion = "Choose the game folder, the folder that holds Elements.txt";

// Asks for the game folder until the user chooses one that holds
// Elements.txt or cancels: a folder without the catalogue is refused with a
// message and the question comes again. Empty when the user cancelled.
QString askGameFolder(QWidget* parent = nullptr);
