#pragma once

#include "app/ui/FormControls.h"
#include "editor/EditorPictures.h"
#include "editor/MapCursor.h"
#include "editor/MapEditing.h"
#include "editor/MapScale.h"
#include "editor/MapTools.h"
#include "editor/WheelScroll.h"
#include "layout/FormGeometry.h"
#include "layout/MainDesign.h"
#include "model/Block.h"
#include "model/LevelHistory.h"
#include "model/Result.h"
#include "recovery/RecoveryKeeper.h"

#include <QWidget>

#include <functional>
#include <map>
#include <memory>
#include <optional>

class QAction;
class QActionGroup;
class QButtonGroup;
class QMenu;
class QScrollBar;
class QWheelEvent;
class PictureBox;
class frmLoadSave;
class LevelEditCommand;
class MapSurface;
struct LoadedLevel;
class PaletteImage;

// The main editor window: the map area on the left, the palette column on
// the right and the tool box along the bottom. Its handlers work on the one
// level of modLists.
//
// Its methods are spread over files by concern:
//   frmMain.cpp           building the controls, Form_Load, Form_Resize, the
//                         close and resize events, the view buttons and the
//                         scroll bars' change handlers
//   frmMain_palettes.cpp  the three palettes and the selection frames
//   frmMain_map.cpp       map drawing (prcDrawTiles, prcDrawCell) and mouse
//                         editing with its gesture
//   frmMain_files.cpp     Save, Load, opening a level file, the close handler
//   frmMain_dialogs.cpp   opening the entity data editor and the resize dialog
//   frmMain_commands.cpp  every command with its keys, and the map's menu
//   frmMain_tools.cpp     the tools beside the brush, and the replace dialog
//   frmMain_selection.cpp the selection, its frame and the clipboard's commands
//   frmMain_history.cpp   undo and redo, what a step draws again, and
//                         bringing it into sight
//   frmMain_guide.cpp     the designer's guide that F1 opens
//   frmMain_wheel.cpp     the mouse wheel over the map and the palettes
//   frmMain_keyboard.cpp  the map's cursor and its keys, and the palettes by keyboard
//   frmMain_zoom.cpp      the map's zoom and the size of the map surface
//   frmMain_access.cpp    the controls' names and descriptions for a screen reader
class frmMain : public QWidget
{
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // Start-up before the window is first shown: pictures, palettes and a new
    // level. A failure tells the user what is wrong.
    Result Form_Load();
    // Fits the panels and scroll bars to the window's current size.
    void Form_Resize();

    // Map drawing.
    void prcDrawTiles();
    void prcDrawCell(qint16 x, qint16 y);

    // Palettes.
    void imgTile_Click(int index);
    void imgEntity_Click(int index);
    void imgGuy_Click();

    // Mouse editing; positions in twips on the map surface.
    void picInner_MouseDown(int Button, int Shift, double X, double Y);
    void picInner_MouseMove(int Button, int Shift, double X, double Y);
    // The last held button went up: the gesture becomes one step of the history.
    void picInner_MouseUp(int Button, int Shift, double X, double Y);

    // The level's history: Ctrl+Z takes a step back, Ctrl+Shift+Z or Ctrl+Y
    // a step forward, whichever control of the window has the focus.
    void undo();
    void redo();
    LevelHistory& history() { return m_history; }

    // The map's tools: B brush, R rectangle, F fill, L line, I pick, Esc
    // back to the brush; Ctrl+H replaces one kind by another. F10, Shift+F10
    // and the Menu key show every command in a menu over the map.
    Tool tool() const { return m_tools.tool(); }
    void chooseTool(Tool tool);
    void replaceKinds();
    // What the replace dialog does once accepted: one step.
    void applyReplacement(const areaops::Replacement& replacement);
    void showMapMenu();
    QMenu* mapMenu() const { return m_mapMenu; }

    // The selection and the clipboard: S marks a rectangle of cells (a drag
    // inside it moves what it holds), Ctrl+A selects the whole view, Escape
    // clears the selection; Ctrl+X cuts, Ctrl+C copies, Ctrl+V pastes at the
    // pointer, Delete erases. Each cut, delete, paste and move is one step.
    MapSelection& selection() { return m_tools.selection(); }
    // Frames the selection on the map as it is now.
    void showSelection();
    void selectAll();
    void cutSelection();
    void copySelection();
    void pasteBlock();
    void deleteSelection();

    // The map by keyboard: Tab or a click gives the map the focus, the arrow
    // keys move its cursor (Home, End, Page Up and Page Down further), Space
    // acts as a left press on the cursor's cell and Delete, with nothing
    // selected, as a right press; Shift+arrows select from the cursor.
    QPoint cursorCell() const { return m_cursor.cell(); }

    // The map's zoom: Ctrl+plus, Ctrl+minus, Ctrl+wheel over the map, Ctrl+0
    // back to the designed scale. `anchor`, in pixels of the map's viewport,
    // keeps the place under it where it is; without one the pointer's place
    // over the map, else the cursor's cell, else the middle of the view.
    const MapScale& mapScale() const { return m_scale; }
    void zoomToStep(int step, std::optional<QPointF> anchor = std::nullopt);

    // Views and scrolling.
    void optView_Click(int index);
    void hscArea_Change();
    void vscArea_Change();
    void vscTiles_Change();
    void vscEntities_Change();

    // Commands of the tool box.
    void cmdSave_Click();
    void cmdLoad_Click();
    // Reads the level file at `path` into the editor as Load does, with the
    // same messages; a file that fails to load leaves the level as it was.
    void openLevelFile(const QString& path);
    // Lines of unknown kind that a load reports one box each; a single box
    // then counts the rest.
    static constexpr int listedUnrecognisedLines = 20;
    void cmdEntityData_Click();
    void cmdResize_Click();
    // F1: opens the designer's guide in the desktop's browser.
    void showDesignersGuide();
    // The close handler: setting `cancel` to 1 keeps the window open.
    void Form_Unload(int& cancel);

    // From now on the level's unsaved work is kept in a recovery copy in
    // `folder` (the program does this at start-up), until it is saved or
    // thrown away.
    void keepRecoveryCopies(const QString& folder);
    // Offers, one by one, the copies in `folder` that editors of this game
    // folder left when they ended with unsaved work; restores at most one.
    // A damaged copy is reported and kept aside.
    void offerRecoveryCopies(const QString& folder);
    // The copy kept of this window's unsaved work; none before keepRecoveryCopies.
    const RecoveryKeeper* recoveryKeeper() const { return m_recovery.get(); }

    // The selection: a tile kind, an entity kind or the player start, and
    // the kind (-1 with the player start).
    SelType selType = SelType::Tile;
    qint16 selIndex = 1;
    // The shown and edited layer.
    qint16 curView = 0;

    const FormGeometry<MainControl>& geometry() const { return m_geometry; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    // The wheel over the map, the palettes and their scroll bars.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The window's own widgets among its controls: the map, the palette
    // images, the frames and the buttons whose captions wrap.
    static QWidget* makeControl(const ControlDesign<MainControl>& control, QWidget* parent);
    void connectControls();
    // Gives a control its current place and size from the geometry.
    void applyGeometry(MainControl c);
    void applyScrollRange(MainControl c);
    void setBorder(MainControl c, bool border);

    // The resize dialog, kept while only hidden so that it keeps what was typed.
    class frmResize* m_frmResize = nullptr;

    FormGeometry<MainControl> m_geometry;
    FormControls<MainControl> m_controls;
    QButtonGroup* m_views = nullptr;

    // The level chooser: loaded by the first file command, then only hidden.
    frmLoadSave* m_loadSave = nullptr;
    // Shows the chooser modally; the chosen name, or empty when cancelled.
    QString chooseLevelName(bool save);

    // Palettes and map.
    struct Palette
    {
        std::vector<PaletteImage*> images;
        std::vector<TwipRect> places;
    };
    void buildPalettes();
    PaletteImage* addPaletteImage(Palette& palette, MainControl first, const QImage& picture);
    void showRing(int ring, const Palette* palette, int index);
    MapSurface* map() const;

    EditorPictures m_pictures;
    Palette m_tilePalette;
    Palette m_entityPalette;

    // Draws again the cells an edit or a step of the history changed, or
    // everything, with the layout, when the step changed the whole map.
    void drawCells(const std::vector<QPoint>& cells);
    // What undo (`undone`) or redo changed, drawn and brought into sight.
    void showChange(const LevelChange& change, bool undone);
    // The gesture on the map since the press, until the last button goes up.
    void finishGesture();
    // Moves a scroll bar by a turn of the wheel in eighths of a degree.
    void scrollByWheel(MainControl bar, int angle);

    // The commands and the menu that lists them.
    void buildCommands();
    QAction* addCommand(const char* name, const QString& text, const QList<QKeySequence>& shortcuts);
    QMenu* m_mapMenu = nullptr;
    QAction* m_undoAction = nullptr;
    QAction* m_redoAction = nullptr;

    // The map by keyboard.
    void buildKeyboardCommands();
    void connectPaletteKeys();
    // The map takes the keys: it has the focus, and its cursor shows.
    void takeKeyboard();
    void moveCursor(int dx, int dy);
    void placeCursor(QPoint cell);
    void revealCursor();
    // Puts the cursor in sight when the map is reached by Tab.
    void bringCursorIntoView();
    QPointF cursorTwips() const;
    // Space (button 1) and Delete (button 2) on the cursor's cell.
    void cursorPress(int Button);
    // I on the cursor's cell.
    void pickAtCursor();
    // Shift+arrows select the rectangle from `anchor`, where the cursor was
    // when Shift went down, to `to`, the cursor's cell.
    void extendKeyboardSelection(QPoint anchor, QPoint to);
    // A palette's keys: the kind `step` gives from the one the palette is on;
    // a `jump` (Home, End) also from a palette that does not hold the selection.
    void paletteKey(SelType palette, bool jump, const std::function<int(int current, int count)>& step);
    MapCursor m_cursor;
    std::optional<QPoint> m_selectionAnchor;
    // The kind each palette was last on, for the keys to start from.
    qint16 m_lastTile = 1;
    qint16 m_lastEntity = 0;

    // The zoom.
    void buildZoomCommands();
    void zoomBy(int steps);
    void zoomByWheel(const QWheelEvent& wheel);
    // Sizes the map surface for the level at the present zoom, and keeps the cursor on the grid.
    void sizeMapSurface();
    MapScale m_scale;
    int m_zoomWheel = 0; // eighths of a degree short of a step

    // Names for a screen reader.
    void nameControls();
    // The palettes' entries as selected, and the kinds their keys start from.
    void showSelectionToAccessibility();

    // The tools beside the brush.
    void pickKey();
    void escape();
    void toolPress(int Button, double X, double Y);
    void toolMove(double X, double Y);
    void toolRelease(double X, double Y);
    void takeToolOutcome(MapTools::Outcome outcome);
    // The pointer, the tip and the preview over the map, and the checked entry, as the tool is now.
    void showToolState();
    void selectPicked(PaletteSelection picked);
    // Scrolls the palette of the selection so that its frame shows whole.
    void revealSelection();
    MapTools m_tools;
    QActionGroup* m_toolActions = nullptr;
    std::map<Tool, QAction*> m_toolAction;

    // The selection and the clipboard.
    void buildSelectionCommands();
    // Drops the selection and a move of it under way; false when there was none.
    bool clearSelection();
    // Whether anything is selected; when not, says how to select.
    bool checkSelected();
    // Puts the selected block of the shown view on the system's clipboard.
    Block putOnClipboard();
    // The text of the last block this window put on the clipboard, and where
    // in the level being edited it came from; forgotten when another level
    // is loaded.
    struct CopiedBlock
    {
        QByteArray text;
        BlockOrigin origin;
    };
    std::optional<CopiedBlock> m_copied;
    void eraseSelection();
    // Draws and records a step of the selection's commands, which takes the
    // selection from `selectedBefore` to what it is now.
    void takeBlockStep(std::unique_ptr<AreaCommand> step, QRect selectedBefore);
    // The cell a paste lands on.
    QPoint pasteCell() const;
    // The cell under a point of the screen when it is over the visible part of the map.
    std::optional<QPoint> cellUnder(QPoint global) const;
    // The visible part of the map, in twips on it.
    QRect visibleMapTwips() const;
    // A short note over the map by `cell` (or its visible corner) that goes by itself.
    void showNote(const QString& text, std::optional<QPoint> cell);
    // Where the pointer was when the map's menu opened, while it is open.
    std::optional<QPoint> m_menuPointer;

    // Undo you can see: the view switches to the layer a step changed, and
    // the map scrolls to the cells; a data text's change is told in a note.
    void revealCells(const std::vector<QPoint>& cells);
    void tellDataText(int slot, bool undone);

    LevelHistory m_history;
    std::unique_ptr<LevelEditCommand> m_gesture;

    // The name and file the level was last loaded from or saved to; empty
    // for a level never saved. A recovery copy says where it came from.
    QString m_levelName;
    QString m_levelPath;
    std::unique_ptr<RecoveryKeeper> m_recovery;
    RecoveryCopy recoverySnapshot() const;
    // Shows a load's reports as Load shows them; false when it failed.
    bool showLoadReports(const LoadedLevel& loaded);
    // Each bar keeps what a fine wheel turned too little to move it by.
    std::map<MainControl, WheelScroll> m_wheel;
};
