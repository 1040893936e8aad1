// What a screen reader hears of the main window's controls: a name for
// each, a description where one helps, the view buttons' captions on one
// line, and which palette entry is selected.
#include "editor/ui/frmMain.h"

#include "editor/CellDescription.h"
#include "editor/ui/PaletteBox.h"
#include "editor/ui/PaletteImage.h"
#include "model/modLists.h"

#include <QAbstractButton>
#include <QMenu>

void frmMain::nameControls()
{
    using enum MainControl;
    struct Named
    {
        MainControl control;
        const char* name; // empty: the control's caption names it
        const char* description;
    };
    const Named controls[] = {
        {picArea, "Map area", "The map of the shown layer, with its scroll bars."},
        {picInner, "Map",
            "The shown layer of the level. The arrow keys move the cursor; Space acts as the left button and Delete as the "
            "right button on the cursor's cell; Ctrl+plus and Ctrl+minus zoom; F10 lists every tool and command."},
        {vscArea, "Scroll the map up and down", ""},
        {hscArea, "Scroll the map sideways", ""},
        {cmdScrCorner, "Corner of the map's scroll bars", ""},
        {picTileBox, "Palettes", "The player start, the tile kinds and the entity kinds."},
        {picPlayer, "Player palette", "Space or an arrow key selects the player start."},
        {imgGuy, "Player start", "Marks where the player starts"},
        {shpRing0, "Selection frame", ""},
        {picTiles, "Tile palette area", ""},
        {picTilesInner, "Tile palette", "The arrow keys select a tile kind; Home and End the first and the last."},
        {shpRing1, "Selection frame", ""},
        {vscTiles, "Scroll the tile palette", ""},
        {picEntities, "Entity palette area", ""},
        {picEntitiesInner, "Entity palette", "The arrow keys select an entity kind; Home and End the first and the last."},
        {shpRing2, "Selection frame", ""},
        {vscEntities, "Scroll the entity palette", ""},
        {picToolBox, "Tool box", ""},
        {cmdResize, "", "Grow or shrink the level at a corner."},
        {optView0, "", "Show and edit the main level."},
        {cmdEntityData, "", "Read and change the data texts of the player start and of every placed entity."},
        {cmdSave, "", "Save the level under a name."},
        {cmdLoad, "", "Load a level by its name."},
        {picTileSet, "Tile sheet", ""},
        {picWhite, "Picture cutting surface", ""},
    };
    for (const Named& named : controls) {
        QWidget* widget = m_controls.widget(named.control);
        if (*named.name)
            widget->setAccessibleName(QLatin1String(named.name));
        widget->setAccessibleDescription(QLatin1String(named.description));
    }
    m_mapMenu->setAccessibleName(QStringLiteral("Tools and commands"));
    if (auto* moves = m_mapMenu->findChild<QMenu*>(QStringLiteral("cursorMenu")))
        moves->setAccessibleName(QStringLiteral("Move the cursor"));

    // The corner views' captions break over two lines; their names do not.
    for (int view = 1; view <= 4; ++view) {
        QWidget* button = m_controls.widget(optView(view));
        button->setAccessibleName(celldescription::layerName(view));
        button->setAccessibleDescription(QStringLiteral("Show and edit the corner screen %1.").arg(celldescription::layerName(view)));
    }

    // Each palette entry is named by its kind, with its tip as the description.
    const Catalogue& catalogue = modLists::catalogue;
    for (size_t kind = 0; kind < m_tilePalette.images.size(); ++kind) {
        m_tilePalette.images[kind]->setAccessibleName(catalogue.tileName(int(kind)));
        m_tilePalette.images[kind]->setAccessibleDescription(catalogue.tile(int(kind)).tooltip);
    }
    auto* entitySurface = m_controls.widget(picEntitiesInner);
    for (size_t kind = 0; kind < m_entityPalette.images.size(); ++kind) {
        m_entityPalette.images[kind]->setAccessibleName(catalogue.entityName(int(kind)));
        m_entityPalette.images[kind]->setAccessibleDescription(catalogue.entity(int(kind)).tip);
        if (auto* second = entitySurface->findChild<PaletteImage*>(QStringLiteral("imgEntityb%1").arg(kind)))
            second->setAccessibleName(QStringLiteral("Second picture of %1").arg(catalogue.entityName(int(kind))));
    }
    showSelectionToAccessibility();
}

void frmMain::showSelectionToAccessibility()
{
    if (selType == SelType::Tile)
        m_lastTile = selIndex;
    else if (selType == SelType::Entity)
        m_lastEntity = selIndex;
    auto mark = [this](const Palette& palette, SelType type) {
        for (size_t kind = 0; kind < palette.images.size(); ++kind)
            palette.images[kind]->setSelected(selType == type && selIndex == static_cast<qint16>(kind));
    };
    mark(m_tilePalette, SelType::Tile);
    mark(m_entityPalette, SelType::Entity);
    auto* guy = m_controls.get<PaletteImage>(MainControl::imgGuy);
    guy->setSelected(selType == SelType::Player);

    m_controls.get<PaletteBox>(MainControl::picPlayer)->setCurrent(guy);
    auto current = [](const Palette& palette, qint16 kind) -> QWidget* {
        return kind >= 0 && size_t(kind) < palette.images.size() ? palette.images[size_t(kind)] : nullptr;
    };
    m_controls.get<PaletteBox>(MainControl::picTilesInner)->setCurrent(current(m_tilePalette, m_lastTile));
    m_controls.get<PaletteBox>(MainControl::picEntitiesInner)->setCurrent(current(m_entityPalette, m_lastEntity));
}
