#include "editor/frmMain.h"

#include "app/CaptionButton.h"
#include "app/FormControls.h"
#include "app/PictureBox.h"
#include "app/Twips.h"
#include "editor/MapSurface.h"
#include "editor/PaletteImage.h"
#include "editor/SelectionFrame.h"
#include "layout/MainDesign.h"
#include "layout/MainLayout.h"
#include "model/modLists.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QDir>
#include <QPushButton>
#include <QScrollBar>

frmMain::frmMain(QWidget* parent)
    : QWidget(parent)
    , m_geometry(frmMainDesign())
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(frmMainDesign().caption);
    buildControls();
    resize(twipsToPixels(frmMainDesign().innerWidth), twipsToPixels(frmMainDesign().innerHeight));
}

frmMain::~frmMain() = default;

QWidget* frmMain::containerFor(const ControlDesign& control) const
{
    if (control.container.isEmpty())
        return const_cast<frmMain*>(this);
    auto* box = m_controls.get<PictureBox>(control.container);
    Q_ASSERT(box);
    return box->client();
}

void frmMain::buildControls()
{
    m_views = new QButtonGroup(this);
    for (const ControlDesign& control : frmMainDesign().controls) {
        QWidget* parent = containerFor(control);
        QWidget* widget = nullptr;
        switch (control.kind) {
        case ControlKind::PictureBox: {
            auto* box = control.name == QLatin1String("picInner") ? new MapSurface(parent) : new PictureBox(parent);
            box->setBorder(control.border);
            widget = box;
            break;
        }
        case ControlKind::Image:
            widget = new PaletteImage(parent);
            break;
        case ControlKind::Shape:
            widget = new SelectionFrame(parent);
            break;
        case ControlKind::HScrollBar:
        case ControlKind::VScrollBar: {
            auto* bar = new QScrollBar(control.kind == ControlKind::HScrollBar ? Qt::Horizontal : Qt::Vertical, parent);
            bar->setSingleStep(control.smallChange);
            bar->setRange(0, 0);
            bar->setFocusPolicy(Qt::TabFocus);
            widget = bar;
            break;
        }
        case ControlKind::Button:
            widget = new CaptionButton(control.caption, parent);
            break;
        case ControlKind::OptionButton: {
            auto* button = new CaptionButton(control.caption, parent);
            button->setCheckable(true);
            m_views->addButton(button, static_cast<int>(m_views->buttons().size()));
            widget = button;
            break;
        }
        case ControlKind::ListBox:
        case ControlKind::TextBox:
        case ControlKind::Label:
            Q_UNREACHABLE();
        }
        m_controls.add(control.name, widget);
        applyGeometry(control.name);
    }

    // The corner between the map's scroll bars only fills the gap.
    m_controls.value(QStringLiteral("cmdScrCorner"))->setEnabled(false);
    m_controls.value(QStringLiteral("cmdScrCorner"))->setFocusPolicy(Qt::NoFocus);
    // Hidden holders of the pictures the palettes are cut from.
    m_controls.value(QStringLiteral("picTileSet"))->hide();
    m_controls.value(QStringLiteral("imgEntityb0"))->hide();
    m_controls.value(QStringLiteral("shpRing0"))->hide();
    m_controls.value(QStringLiteral("shpRing2"))->hide();
    m_views->button(0)->setChecked(true);

    connect(m_views, &QButtonGroup::idClicked, this, &frmMain::optView_Click);
    auto onChange = [this](const char* name, void (frmMain::*handler)()) {
        auto* bar = m_controls.get<QScrollBar>(QString::fromLatin1(name));
        connect(bar, &QScrollBar::valueChanged, this, handler);
    };
    onChange("hscArea", &frmMain::hscArea_Change);
    onChange("vscArea", &frmMain::vscArea_Change);
    onChange("vscTiles", &frmMain::vscTiles_Change);
    onChange("vscEntities", &frmMain::vscEntities_Change);
    auto onClick = [this](const char* name, void (frmMain::*handler)()) {
        auto* button = m_controls.get<QPushButton>(QString::fromLatin1(name));
        connect(button, &QPushButton::clicked, this, handler);
    };
    onClick("cmdSave", &frmMain::cmdSave_Click);
    onClick("cmdLoad", &frmMain::cmdLoad_Click);
    onClick("cmdEntityData", &frmMain::cmdEntityData_Click);
    onClick("cmdResize", &frmMain::cmdResize_Click);
    connect(map(), &MapSurface::mouseDown, this, &frmMain::picInner_MouseDown);
    connect(map(), &MapSurface::mouseMove, this, &frmMain::picInner_MouseMove);
}

void frmMain::applyGeometry(const QString& name)
{
    placeInTwips(m_controls.value(name), m_geometry.rect(name));
}

void frmMain::applyScrollRange(const QString& name)
{
    auto* bar = m_controls.get<QScrollBar>(name);
    const ScrollRange& range = m_geometry.scroll(name);
    bar->setEnabled(range.enabled);
    bar->setMaximum(range.maximum);
    bar->setPageStep(range.largeChange);
    bar->setSingleStep(range.smallChange);
}

void frmMain::setBorder(const QString& name, bool border)
{
    m_geometry.setBorder(name, border);
    m_controls.get<PictureBox>(name)->setBorder(border);
}

QString frmMain::Form_Load()
{
    Level& level = modLists::level;
    levelops::movePlayer(level, 0, 0);
    level.playerData = QStringLiteral("right");

    // Every picture is read before anything is built, so a missing one stops
    // the program before the window shows.
    const QString error = loadEditorPictures(QDir::currentPath(), modLists::catalogue, m_pictures);
    if (!error.isEmpty())
        return error;
    buildPalettes();

    selType = 0;
    // A catalogue with a single tile kind has no kind 1 to paint.
    selIndex = modLists::catalogue.tileDefLast >= 1 ? 1 : 0;
    if (selIndex == 0)
        showRing(1, &m_tilePalette, 0);

    levelops::makeNewLevel(level);
    prcDrawTiles();

    // Two-line captions for the corner views.
    const char* const corners[][2] = {{"Top", "Left"}, {"Top", "Right"}, {"Bottom", "Left"}, {"Bottom", "Right"}};
    for (int view = 1; view <= 4; ++view) {
        const QString caption = QStringLiteral("%1\n%2").arg(QLatin1String(corners[view - 1][0]), QLatin1String(corners[view - 1][1]));
        m_views->button(view)->setText(caption);
    }

    setBorder(QStringLiteral("picInner"), false);
    setBorder(QStringLiteral("picTilesInner"), false);
    setBorder(QStringLiteral("picEntitiesInner"), false);

    level.levelChanged = false;
    return {};
}

void frmMain::Form_Resize()
{
    layoutMainWindow(m_geometry, width() * twipsPerPixel, height() * twipsPerPixel);
    for (const char* name :
        {"picArea", "picTileBox", "picToolBox", "picTiles", "picEntities", "vscTiles", "vscEntities", "hscArea", "vscArea", "cmdScrCorner"})
        applyGeometry(QString::fromLatin1(name));
    for (const char* name : {"vscTiles", "vscEntities", "hscArea", "vscArea"})
        applyScrollRange(QString::fromLatin1(name));
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
    if (cancel)
        event->ignore();
    else
        event->accept();
}

void frmMain::optView_Click(int index)
{
    curView = static_cast<qint16>(index);
    prcDrawTiles();
}

void frmMain::hscArea_Change()
{
    QWidget* map = m_controls.value(QStringLiteral("picInner"));
    const int value = m_controls.get<QScrollBar>(QStringLiteral("hscArea"))->value();
    m_geometry.setLeft(QStringLiteral("picInner"), -value);
    map->move(twipsToPixels(-value), map->y());
}

void frmMain::vscArea_Change()
{
    QWidget* map = m_controls.value(QStringLiteral("picInner"));
    const int value = m_controls.get<QScrollBar>(QStringLiteral("vscArea"))->value();
    m_geometry.setTop(QStringLiteral("picInner"), -value);
    map->move(map->x(), twipsToPixels(-value));
}

void frmMain::vscTiles_Change()
{
    const int value = m_controls.get<QScrollBar>(QStringLiteral("vscTiles"))->value();
    m_geometry.setTop(QStringLiteral("picTilesInner"), -value);
    applyGeometry(QStringLiteral("picTilesInner"));
}

void frmMain::vscEntities_Change()
{
    const int value = m_controls.get<QScrollBar>(QStringLiteral("vscEntities"))->value();
    m_geometry.setTop(QStringLiteral("picEntitiesInner"), -value);
    applyGeometry(QStringLiteral("picEntitiesInner"));
}
