// Draws the README's picture of the editor at work: opens the real main
// window offscreen on a game folder, loads a level, picks a view and a
// palette item as a designer would, and saves what the window shows.
//
//   tilewright-screenshot GAME_FOLDER LEVEL_FILE VIEW OUT.png
#include "editor/ui/frmMain.h"
#include "levelfile/LevelFileLoad.h"
#include "model/modLists.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMouseEvent>
#include <QTextStream>

#include <cstdio>

namespace {

int fail(const QString& message)
{
    QTextStream(stderr) << "tilewright-screenshot: " << message << Qt::endl;
    return 1;
}

void click(QWidget* widget)
{
    const QPointF centre = QRectF(widget->rect()).center();
    QMouseEvent press(QEvent::MouseButtonPress, centre, widget->mapToGlobal(centre), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, centre, widget->mapToGlobal(centre), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QApplication::sendEvent(widget, &release);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 5)
        return fail(QStringLiteral("usage: tilewright-screenshot GAME_FOLDER LEVEL_FILE VIEW OUT.png"));
    const QString levelPath = QFileInfo(args[2]).absoluteFilePath();
    const QString outPath = QFileInfo(args[4]).absoluteFilePath();
    const int view = args[3].toInt();

    if (!QDir::setCurrent(args[1]))
        return fail(QStringLiteral("no game folder at %1").arg(args[1]));
    if (const Result read = modLists::readElements(QDir::currentPath()); !read)
        return fail(read.message());

    frmMain window;
    if (const Result loaded = window.Form_Load(); !loaded)
        return fail(loaded.message());

    LoadedLevel loaded = loadLevelFile(levelPath, modLists::catalogue, modLists::level);
    if (!loaded.ok)
        return fail(loaded.reports.back().message);
    modLists::level = std::move(loaded.level);
    window.prcDrawTiles();
    window.Form_Resize();

    window.show();
    click(window.findChild<QAbstractButton*>(QStringLiteral("optView%1").arg(view)));
    if (QWidget* entity = window.findChild<QWidget*>(QStringLiteral("imgEntity0")))
        click(entity);
    QApplication::processEvents();

    if (!window.grab().save(outPath))
        return fail(QStringLiteral("cannot write %1").arg(outPath));
    return 0;
}
