#include "editor/ui/frmMain.h"

#include "app/ui/CaptionButton.h"
#include "app/ui/FormControls.h"
#include "app/ui/PictureBox.h"
#include "app/ui/Twips.h"
#include "editor/ui/MapSurface.h"
#include "editor/ui/PaletteBox.h"
#include "editor/ui/PaletteImage.h"
#include "editor/ui/SelectionFrame.h"
#include "layout/MainDesign.h"
#include "layout/MainLayout.h"
#include "model/LevelEditCommand.h" // an open gesture is destroyed with the window
#include "model/modLists.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QScrollBar>

frmMain::frmMain(QWidget* parent)
    : QWidget(parent)
    , m_geometry(frmMainDesign())
    , m_controls(this, frmMainDesign(), &frmMain::makeControl)
    , m_history(modLists::level)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QString::fromLatin1(frmMainDesign().caption));
    connectControls();
    buildCommands();
    buildKeyboardCommands();
    buildZoomCommands();
    resize(twipsToPixels(frmMainDesign().innerWidth), twipsToPixels(frmMainDesign().innerHeight));
}

frmMain::~frmMain() = default;

QWidget* frmMain::makeControl(const ControlDesign<MainControl>& control, QWidget* parent)
{
    switch (control.kind) {
    case ControlKind::PictureBox:
        if (control.id == MainControl::picInner) {
            auto* map = new MapSurface(parent);
            map->setBorder(control.border);
            return map;
        }
        // The palettes take the focus by Tab, in their places in the tab order.
        if (control.id == MainControl::picPlayer || control.id == MainControl::picTilesInner
            || control.id == MainControl::picEntitiesInner) {
            auto* palette = new PaletteBox(parent);
            palette->setBorder(control.border);
            return palette;
        }
        return nullptr;
    case ControlKind::Image:
        return new PaletteImage(parent);
    case ControlKind::Shape:
        return new SelectionFrame(parent);
    case ControlKind::Button:
        return new CaptionButton(QString::fromLatin1(control.caption), parent);
    case ControlKind::OptionButton: {
        auto* button = new CaptionButton(QString::fromLatin1(control.caption), parent);
        button->setCheckable(true);
        return button;
    }
    default:
        return nullptr;
    }
}

void frmMain::connectControls()
{
    using enum MainControl;

    // The corner between the map's scroll bars only fills the gap.
    m_controls.widget(cmdScrCorner)->setEnabled(false);
    m_controls.widget(cmdScrCorner)->setFocusPolicy(Qt::NoFocus);
    // Hidden holders of the pictures the palettes are cut from.
    m_controls.widget(picTileSet)->hide();
    m_controls.widget(imgEntityb0)->hide();
    m_controls.widget(shpRing0)->hide();
    m_controls.widget(shpRing2)->hide();

    m_views = new QButtonGroup(this);
    for (int view = 0; view <= 4; ++view)
        m_views->addButton(m_controls.get<QAbstractButton>(optView(view)), view);
    m_views->button(0)->setChecked(true);
    connect(m_views, &QButtonGroup::idClicked, this, &frmMain::optView_Click);

    auto onChange = [this](MainControl bar, void (frmMain::*handler)()) {
        connect(m_controls.get<QScrollBar>(bar), &QScrollBar::valueChanged, this, handler);
    };
    onChange(hscArea, &frmMain::hscArea_Change);
    onChange(vscArea, &frmMain::vscArea_Change);
    onChange(vscTiles, &frmMain::vscTiles_Change);
    onChange(vscEntities, &frmMain::vscEntities_Change);
    auto onClick = [this](MainControl button, void (frmMain::*handler)()) {
        connect(m_controls.get<QAbstractButton>(button), &QAbstractButton::clicked, this, handler);
    };
    onClick(cmdSave, &frmMain::cmdSave_Click);
    onClick(cmdLoad, &frmMain::cmdLoad_Click);
    onClick(cmdEntityData, &frmMain::cmdEntityData_Click);
    onClick(cmdResize, &frmMain::cmdResize_Click);
    connect(map(), &MapSurface::mouseDown, this, &frmMain::picInner_MouseDown);
    connect(map(), &MapSurface::mouseMove, this, &frmMain::picInner_MouseMove);
    connect(map(), &MapSurface::mouseUp, this, &frmMain::picInner_MouseUp);

    // The wheel reaches the viewports from the surfaces and images in them,
    // which let it pass, and the scroll bars directly.
    for (const MainControl c : {picArea, picTiles, picEntities, hscArea, vscArea, vscTiles, vscEntities})
        m_controls.widget(c)->installEventFilter(this);
}

void frmMain::applyGeometry(MainControl c)
{
    m_controls.apply(m_geometry, c);
}

void frmMain::applyScrollRange(MainControl c)
{
    auto* bar = m_controls.get<QScrollBar>(c);
    const ScrollRange& range = m_geometry.scroll(c);
    bar->setEnabled(range.enabled);
    bar->setMaximum(range.maximum);
    bar->setPageStep(range.largeChange);
    bar->setSingleStep(range.smallChange);
}

void frmMain::setBorder(MainControl c, bool border)
{
    m_geometry.setBorder(c, border);
    m_controls.get<PictureBox>(c)->setBorder(border);
}

Result frmMain::Form_Load()
{
    Level& level = modLists::level;
    levelops::movePlayer(level, 0, 0);
    level.playerData = QStringLiteral("right");

    // Every picture is read before anything is built, so a missing one stops
    // the program before the window shows.
    if (Result loaded = loadEditorPictures(QDir::currentPath(), modLists::catalogue, m_pictures); !loaded)
        return loaded;
    buildPalettes();

    selType = SelType::Tile;
    // A catalogue with a single tile kind has no kind 1 to paint.
    selIndex = modLists::catalogue.tileDefLast() >= 1 ? 1 : 0;
    if (selIndex == 0)
        showRing(1, &m_tilePalette, 0);

    levelops::makeNewLevel(level);
    m_history.clear();
    prcDrawTiles();

    // Two-line captions for the corner views.
    const char* const corners[][2] = {{"Top", "Left"}, {"Top", "Right"}, {"Bottom", "Left"}, {"Bottom", "Right"}};
    for (int view = 1; view <= 4; ++view) {
        const QString caption = QStringLiteral("%1\n%2").arg(QLatin1String(corners[view - 1][0]), QLatin1String(corners[view - 1][1]));
        m_views->button(view)->setText(caption);
    }

    setBorder(MainControl::picInner, false);
    setBorder(MainControl::picTilesInner, false);
    setBorder(MainControl::picEntitiesInner, false);

    showToolState();
    nameControls();
    return Result::success();
}

void frmMain::Form_Resize()
{
    using enum MainControl;
    layoutMainWindow(m_geometry, width() * twipsPerPixel, height() * twipsPerPixel, m_scale.factor());
    for (const MainControl c :
        {picArea, picTileBox, picToolBox, picTiles, picEntities, vscTiles, vscEntities, hscArea, vscArea, cmdScrCorner})
        applyGeometry(c);
    for (const MainControl c : {vscTiles, vscEntities, hscArea, vscArea})
        applyScrollRange(c);
}

void frmMain::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    Form_Resize();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    int cancel = 0;
    Form_Unload(cancel);
    if (cancel) {
        event->ignore();
        return;
    }
    event->accept();
    // The window closes also after a save that failed or was cancelled; the
    // work still unsaved then stays in the recovery copy, up to this moment.
    if (m_recovery)
        m_recovery->settle();
}

void frmMain::optView_Click(int index)
{
    curView = static_cast<qint16>(index);
    prcDrawTiles();
}

void frmMain::hscArea_Change()
{
    // The value counts in the map's designed twips at every zoom.
    const double left = -m_controls.get<QScrollBar>(MainControl::hscArea)->value() * m_scale.factor();
    m_geometry.setLeft(MainControl::picInner, left);
    map()->move(twipsToPixels(left), map()->y());
}

void frmMain::vscArea_Change()
{
    const double top = -m_controls.get<QScrollBar>(MainControl::vscArea)->value() * m_scale.factor();
    m_geometry.setTop(MainControl::picInner, top);
    map()->move(map()->x(), twipsToPixels(top));
}

void frmMain::vscTiles_Change()
{
    const int value = m_controls.get<QScrollBar>(MainControl::vscTiles)->value();
    m_geometry.setTop(MainControl::picTilesInner, -value);
    applyGeometry(MainControl::picTilesInner);
}

void frmMain::vscEntities_Change()
{
    const int value = m_controls.get<QScrollBar>(MainControl::vscEntities)->value();
    m_geometry.setTop(MainControl::picEntitiesInner, -value);
    applyGeometry(MainControl::picEntitiesInner);
}
