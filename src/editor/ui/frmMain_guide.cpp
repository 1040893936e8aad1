// The designer's guide that F1 opens, in the desktop's browser.
#include "editor/ui/frmMain.h"

#include "app/ui/Messages.h"
#include "editor/DesignersGuide.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>

void frmMain::showDesignersGuide()
{
    const QString guide = findDesignersGuide(QCoreApplication::applicationDirPath());
    if (guide.isEmpty()) {
        Messages::report(this,
            QStringLiteral("The designer's guide was not found: it is installed with Tilewright's documentation, "
                           "as designers-guide.html in share/doc/tilewright/docs."));
        return;
    }
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(guide)))
        Messages::report(this,
            QStringLiteral("The designer's guide \"%1\" could not be opened: the desktop has no program set to show it.")
                .arg(QDir::toNativeSeparators(guide)));
}
