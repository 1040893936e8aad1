#pragma once

#include "desktop/EditorArguments.h"
#include "editor/ui/frmMain.h"

#include <memory>

struct EditorStart
{
    // The main window, shown; none when the program must end.
    std::unique_ptr<frmMain> window;
    int exitStatus = 0; // when there is no window
};

// Everything the editor does before its event loop: it settles the game
// folder (given, the working folder, the one used last, or asked for) and
// makes it the working folder, reads the catalogue, loads and shows the main
// window, remembers the game folder, opens the level given, if any, starts
// keeping a recovery copy of unsaved work and offers those left behind.
EditorStart startEditor(const EditorArguments& arguments);
