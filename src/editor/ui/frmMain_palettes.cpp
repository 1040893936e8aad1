// The three palettes of the main window and the selection they make.
#include "editor/ui/frmMain.h"

#include "app/ui/PictureBox.h"
#include "app/ui/Twips.h"
#include "editor/PaletteLayout.h"
#include "editor/ui/PaletteImage.h"
#include "model/modLists.h"

#include <QScrollBar>

#include <algorithm>

namespace {

// An image takes the natural size of its picture.
TwipRect naturalSize(TwipRect r, const QImage& picture)
{
    r.width = picture.width() * twipsPerPixel;
    r.height = picture.height() * twipsPerPixel;
    return r;
}

} // namespace

// Adds the next image of a palette whose element 0 is the design control
// `first`; every further element is made beside it by the palette's layout.
PaletteImage* frmMain::addPaletteImage(Palette& palette, MainControl first, const QImage& picture)
{
    const int index = static_cast<int>(palette.images.size());
    auto* image = m_controls.get<PaletteImage>(first);
    TwipRect place = m_geometry.rect(first);
    if (index > 0) {
        // Named as the design names element 0, with its own index in place of the 0.
        const QString setName = image->objectName().chopped(1);
        image = new PaletteImage(image->parentWidget());
        image->setObjectName(setName + QString::number(index));
        place = palettelayout::place(palette.places.front(), index);
    }
    place = naturalSize(place, picture);
    image->setPicture(picture);
    placeInTwips(image, place);
    image->show();
    palette.images.push_back(image);
    palette.places.push_back(place);
    return image;
}

void frmMain::buildPalettes()
{
    using enum MainControl;
    auto* guy = m_controls.get<PaletteImage>(imgGuy);
    guy->setPicture(m_pictures.player);
    placeInTwips(guy, naturalSize(m_geometry.rect(imgGuy), m_pictures.player));
    guy->setToolTip(QStringLiteral("Marks where the player starts"));
    connect(guy, &PaletteImage::clicked, this, &frmMain::imgGuy_Click);

    for (int kind = 0; kind < modLists::catalogue.tileCount(); ++kind) {
        PaletteImage* image = addPaletteImage(m_tilePalette, imgTile0, m_pictures.tiles[static_cast<size_t>(kind)]);
        image->setToolTip(modLists::catalogue.tile(kind).tooltip);
        connect(image, &PaletteImage::clicked, this, [this, kind] { imgTile_Click(kind); });
    }
    m_geometry.setHeight(picTilesInner, palettelayout::surfaceHeight(m_tilePalette.places.front(), m_tilePalette.places.back().top));
    applyGeometry(picTilesInner);

    QWidget* entitySurface = m_controls.widget(imgEntityb0)->parentWidget();
    for (int kind = 0; kind < modLists::catalogue.entityCount(); ++kind) {
        PaletteImage* image = addPaletteImage(m_entityPalette, imgEntity0, m_pictures.entityAnd[static_cast<size_t>(kind)]);
        connect(image, &PaletteImage::clicked, this, [this, kind] { imgEntity_Click(kind); });

        // The second picture is only held for the map; it never shows.
        auto* second = kind == 0 ? m_controls.get<PaletteImage>(imgEntityb0) : new PaletteImage(entitySurface);
        second->setObjectName(QStringLiteral("imgEntityb%1").arg(kind));
        second->setPicture(m_pictures.entityOr[static_cast<size_t>(kind)]);
        second->hide();
    }
    m_geometry.setHeight(picEntitiesInner, palettelayout::surfaceHeight(m_entityPalette.places.front(), m_entityPalette.places.back().top));
    applyGeometry(picEntitiesInner);

    // The frames stay above the images they mark.
    for (int ring = 0; ring <= 2; ++ring)
        m_controls.widget(shpRing(ring))->raise();
}

// Shows frame `ring` (0 player, 1 tiles, 2 entities), over element `index`
// of its palette when it has one, and hides the other two.
void frmMain::showRing(int ring, const Palette* palette, int index)
{
    for (int other = 0; other <= 2; ++other) {
        QWidget* frame = m_controls.widget(shpRing(other));
        if (other != ring) {
            frame->hide();
            continue;
        }
        if (palette) {
            const TwipRect& place = palette->places[static_cast<size_t>(index)];
            m_geometry.setLeft(shpRing(ring), place.left);
            m_geometry.setTop(shpRing(ring), place.top);
            applyGeometry(shpRing(ring));
        }
        frame->show();
    }
    showSelectionToAccessibility();
}

void frmMain::imgTile_Click(int index)
{
    selType = SelType::Tile;
    selIndex = static_cast<qint16>(index);
    showRing(1, &m_tilePalette, index);
    showToolState();
}

void frmMain::imgEntity_Click(int index)
{
    selType = SelType::Entity;
    selIndex = static_cast<qint16>(index);
    showRing(2, &m_entityPalette, index);
    showToolState();
}

void frmMain::imgGuy_Click()
{
    selType = SelType::Player;
    selIndex = -1;
    showRing(0, nullptr, 0);
    showToolState();
}

void frmMain::revealSelection()
{
    auto reveal = [this](MainControl ring, MainControl viewport, MainControl bar) {
        auto* scrollBar = m_controls.get<QScrollBar>(bar);
        const TwipRect place = m_geometry.rect(ring);
        const double visible = m_geometry.innerHeight(viewport);
        // The ring's place is on the surface; a margin like the palette's own shows above and below it.
        const double margin = 120;
        int value = scrollBar->value();
        if (place.top - margin < value)
            value = static_cast<int>(place.top - margin);
        else if (place.top + place.height + margin > value + visible)
            value = static_cast<int>(place.top + place.height + margin - visible);
        scrollBar->setValue(std::clamp(value, scrollBar->minimum(), scrollBar->maximum()));
    };
    if (selType == SelType::Tile)
        reveal(MainControl::shpRing1, MainControl::picTiles, MainControl::vscTiles);
    else if (selType == SelType::Entity)
        reveal(MainControl::shpRing2, MainControl::picEntities, MainControl::vscEntities);
}
