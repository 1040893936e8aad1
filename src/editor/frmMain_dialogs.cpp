// The main window's buttons that open the entity data editor and the resize dialog.
#include "editor/frmMain.h"

void frmMain::cmdEntityData_Click()
{
}

void frmMain::cmdResize_Click()
{
}
