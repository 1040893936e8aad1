#include "app/Messages.h"
#include "editor/frmMain.h"
#include "model/modLists.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QString::fromLatin1(Messages::title));

    // The game folder is the working folder: the catalogue and pictures lie
    // there, the levels folder beside it.
    const QString error = modLists::readElements(QDir::currentPath());
    if (!error.isEmpty()) {
        Messages::show(nullptr, error, QMessageBox::Ok, QMessageBox::Ok, Messages::Icon::Critical);
        return 1;
    }

    frmMain window;
    const QString loadError = window.Form_Load();
    if (!loadError.isEmpty()) {
        Messages::show(nullptr, loadError, QMessageBox::Ok, QMessageBox::Ok, Messages::Icon::Critical);
        return 1;
    }
    window.show();
    return app.exec();
}
