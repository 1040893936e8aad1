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
    if (const Result read = modLists::readElements(QDir::currentPath()); !read) {
        Messages::show(nullptr, read.message(), QMessageBox::Ok, QMessageBox::Ok, Messages::Icon::Critical);
        return 1;
    }

    frmMain window;
    if (const Result loaded = window.Form_Load(); !loaded) {
        Messages::show(nullptr, loaded.message(), QMessageBox::Ok, QMessageBox::Ok, Messages::Icon::Critical);
        return 1;
    }
    window.show();
    return app.exec();
}
