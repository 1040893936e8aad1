// The main window's buttons that open the entity data editor and the resize dialog.
#include "editor/ui/frmMain.h"

#include "entitydata/ui/frmEntityData.h"
#include "resize/ui/frmResize.h"

void frmMain::cmdEntityData_Click()
{
    // Made anew each time, so that it lists the level as it is now. The map
    // shows no data texts: nothing to redraw afterwards.
    finishGesture();
    frmEntityData dialog(m_history, this);
    dialog.exec();
}

void frmMain::cmdResize_Click()
{
    finishGesture();
    if (!m_frmResize) {
        m_frmResize = new frmResize(this, m_history);
        connect(m_frmResize, &frmResize::levelResized, this, [this] {
            clearSelection();
            prcDrawTiles();
            Form_Resize();
        });
        m_frmResize->Form_Load();
    }
    m_frmResize->Form_Activate();
    m_frmResize->exec();
    // Each resize has already redrawn the map. Closed by its close box, the
    // dialog is dropped; hidden by Done, it is kept for next time.
    if (m_frmResize->isUnloaded()) {
        delete m_frmResize;
        m_frmResize = nullptr;
    }
}
