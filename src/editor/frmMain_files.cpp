// The main window's file commands: save, load and the close handler.
#include "editor/frmMain.h"

void frmMain::cmdSave_Click()
{
}

void frmMain::cmdLoad_Click()
{
}

void frmMain::Form_Unload(int& cancel)
{
    cancel = 0;
}
