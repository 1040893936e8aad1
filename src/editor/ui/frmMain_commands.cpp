// The main window's commands: one action each, with its keys, in the order
// the map's menu lists them. Every key works wherever the focus is in the
// window; the menu (F10, Shift+F10 or the Menu key) shows them all.
#include "editor/ui/frmMain.h"

#include "editor/ui/CommandKeys.h"
#include "editor/ui/MapSurface.h"

#include <QAction>
#include <QActionGroup>
#include <QCursor>
#include <QMenu>
#include <QScrollBar>
#include <QShortcut>

QAction* frmMain::addCommand(const char* name, const QString& text, const QList<QKeySequence>& shortcuts)
{
    auto* action = new QAction(text, this);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(shortcuts);
    addAction(action);
    m_mapMenu->addAction(action);
    return action;
}

void frmMain::buildCommands()
{
    m_mapMenu = new QMenu(this);
    m_mapMenu->setObjectName(QStringLiteral("mapMenu"));

    m_toolActions = new QActionGroup(this);
    auto tool = [this](Tool which, const char* name, const QString& text, const QKeySequence& key) {
        QAction* action = addCommand(name, text, {key});
        action->setCheckable(true);
        m_toolActions->addAction(action);
        m_toolAction[which] = action;
        connect(action, &QAction::triggered, this, [this, which] { chooseTool(which); });
        return action;
    };
    tool(Tool::Brush, "actBrush", QStringLiteral("&Brush"), Qt::Key_B)->setChecked(true);
    tool(Tool::Rectangle, "actRectangle", QStringLiteral("&Rectangle"), Qt::Key_R);
    tool(Tool::Fill, "actFill", QStringLiteral("&Fill"), Qt::Key_F);
    tool(Tool::Line, "actLine", QStringLiteral("&Line"), Qt::Key_L);
    // The key picks at once when the pointer is over the map (pickKey); the
    // menu's entry, whose pointer is on the menu, arms the tool instead.
    tool(Tool::Pick, "actPick", QStringLiteral("&Pick\tI"), {});
    tool(Tool::Select, "actSelect", QStringLiteral("&Select"), Qt::Key_S);
    auto* pickKey = new QShortcut(QKeySequence(Qt::Key_I), this);
    connect(pickKey, &QShortcut::activated, this, &frmMain::pickKey);
    auto* escapeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escapeKey, &QShortcut::activated, this, &frmMain::escape);
    m_mapMenu->addSeparator();

    QAction* replace = addCommand("actReplace", QStringLiteral("Replace a &Kind..."), {QKeySequence(Qt::CTRL | Qt::Key_H)});
    connect(replace, &QAction::triggered, this, &frmMain::replaceKinds);
    m_mapMenu->addSeparator();

    m_undoAction = addCommand("actUndo", QStringLiteral("&Undo"), commandKeys(QKeySequence::Undo, {QKeySequence(Qt::CTRL | Qt::Key_Z)}));
    connect(m_undoAction, &QAction::triggered, this, &frmMain::undo);
    m_redoAction = addCommand("actRedo", QStringLiteral("Re&do"),
        commandKeys(QKeySequence::Redo, {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}));
    connect(m_redoAction, &QAction::triggered, this, &frmMain::redo);
    connect(m_mapMenu, &QMenu::aboutToShow, this, [this] {
        m_undoAction->setEnabled(m_history.canUndo());
        m_redoAction->setEnabled(m_history.canRedo());
    });
    // Disabled only while the menu shows: the keys always reach undo and redo.
    connect(m_mapMenu, &QMenu::aboutToHide, this, [this] {
        m_undoAction->setEnabled(true);
        m_redoAction->setEnabled(true);
    });

    buildSelectionCommands();
    // The keys a desktop user tries first; the tool box's buttons keep their Alt keys.
    m_mapMenu->addSeparator();
    QAction* save =
        addCommand("actSave", QStringLiteral("Sa&ve..."), commandKeys(QKeySequence::Save, {QKeySequence(Qt::CTRL | Qt::Key_S)}));
    connect(save, &QAction::triggered, this, &frmMain::cmdSave_Click);
    QAction* load =
        addCommand("actLoad", QStringLiteral("L&oad..."), commandKeys(QKeySequence::Open, {QKeySequence(Qt::CTRL | Qt::Key_O)}));
    connect(load, &QAction::triggered, this, &frmMain::cmdLoad_Click);
    m_mapMenu->addSeparator();
    QAction* guide =
        addCommand("actGuide", QStringLiteral("Designer's &Guide"), commandKeys(QKeySequence::HelpContents, {QKeySequence(Qt::Key_F1)}));
    connect(guide, &QAction::triggered, this, &frmMain::showDesignersGuide);
    // Through the close handler, which asks about unsaved changes.
    QAction* closeWindow =
        addCommand("actClose", QStringLiteral("&Quit"), commandKeys(QKeySequence::Quit, {QKeySequence(Qt::CTRL | Qt::Key_Q)}));
    connect(closeWindow, &QAction::triggered, this, &QWidget::close);

    auto* menuKeys = new QShortcut(this);
    menuKeys->setKeys({QKeySequence(Qt::Key_F10), QKeySequence(Qt::SHIFT | Qt::Key_F10), QKeySequence(Qt::Key_Menu)});
    connect(menuKeys, &QShortcut::activated, this, &frmMain::showMapMenu);
}

void frmMain::showMapMenu()
{
    // At the pointer when it is over the map, else at the map's visible corner.
    QWidget* area = m_controls.widget(MainControl::picArea);
    const QPoint pointer = area->mapFromGlobal(QCursor::pos());
    const QPoint at = area->rect().contains(pointer) ? pointer : QPoint(8, 8);
    m_mapMenu->popup(area->mapToGlobal(at));
}
