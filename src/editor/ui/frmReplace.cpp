#include "editor/ui/frmReplace.h"

#include "editor/EditorPictures.h"
#include "model/Catalogue.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

const char* const layerNames[] = {"Main Level", "Top Left", "Top Right", "Bottom Left", "Bottom Right"};

QRadioButton* option(const char* name, const QString& text, QWidget* parent)
{
    auto* button = new QRadioButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    return button;
}

QComboBox* kindBox(const char* name, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setIconSize(QSize(EditorPictures::tileSize, EditorPictures::tileSize));
    return box;
}

} // namespace

frmReplace::frmReplace(
    const Level& level, const Catalogue& catalogue, const EditorPictures& pictures, int view, PaletteSelection selection, QWidget* owner)
    : QDialog(owner)
    , m_level(level)
    , m_catalogue(catalogue)
    , m_pictures(pictures)
    , m_view(view)
{
    setObjectName(QStringLiteral("frmReplace"));
    setWindowTitle(QStringLiteral("Replace"));

    optTiles = option("optTiles", QStringLiteral("&Tiles"), this);
    optEntities = option("optEntities", QStringLiteral("&Entities"), this);
    auto* what = new QButtonGroup(this);
    what->addButton(optTiles);
    what->addButton(optEntities);
    cboFrom = kindBox("cboFrom", this);
    cboTo = kindBox("cboTo", this);
    optShownLayer = option("optShownLayer", QStringLiteral("On the &shown layer (%1)").arg(QLatin1String(layerNames[view])), this);
    optAllLayers = option("optAllLayers", QStringLiteral("On &all five layers"), this);
    auto* where = new QButtonGroup(this);
    where->addButton(optShownLayer);
    where->addButton(optAllLayers);
    lblCount = new QLabel(this);
    lblCount->setObjectName(QStringLiteral("lblCount"));

    auto* buttons = new QDialogButtonBox(this);
    cmdReplace = buttons->addButton(QStringLiteral("&Replace"), QDialogButtonBox::AcceptRole);
    cmdReplace->setObjectName(QStringLiteral("cmdReplace"));
    cmdReplace->setDefault(true);
    QPushButton* cmdCancel = buttons->addButton(QDialogButtonBox::Cancel);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));

    auto* kinds = new QHBoxLayout;
    kinds->addWidget(optTiles);
    kinds->addWidget(optEntities);
    kinds->addStretch();
    auto* layers = new QVBoxLayout;
    layers->addWidget(optShownLayer);
    layers->addWidget(optAllLayers);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Kinds of:"), kinds);
    form->addRow(QStringLiteral("Re&place:"), cboFrom);
    form->addRow(QStringLiteral("&With:"), cboTo);
    form->addRow(QStringLiteral("Where:"), layers);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(lblCount);
    layout->addWidget(buttons);

    (selection.type == SelType::Entity ? optEntities : optTiles)->setChecked(true);
    optShownLayer->setChecked(true);
    listKinds();
    // The selected kind is what a designer most often wants to put in place of another.
    if (selection.type != SelType::Player && selection.index >= 0 && selection.index < cboTo->count()) {
        cboTo->setCurrentIndex(selection.index);
        cboFrom->setCurrentIndex(selection.index == 0 && cboFrom->count() > 1 ? 1 : 0);
    }
    recount();

    connect(optTiles, &QRadioButton::toggled, this, [this] {
        listKinds();
        recount();
    });
    connect(optAllLayers, &QRadioButton::toggled, this, &frmReplace::recount);
    connect(cboFrom, &QComboBox::currentIndexChanged, this, &frmReplace::recount);
    connect(cboTo, &QComboBox::currentIndexChanged, this, &frmReplace::recount);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void frmReplace::listKinds()
{
    const bool entities = optEntities->isChecked();
    for (QComboBox* box : {cboFrom, cboTo}) {
        const QSignalBlocker quiet(box);
        box->clear();
        const int count = entities ? m_catalogue.entityCount() : m_catalogue.tileCount();
        for (int kind = 0; kind < count; ++kind) {
            const QImage& picture = entities ? m_pictures.entityAnd[size_t(kind)] : m_pictures.tiles[size_t(kind)];
            box->addItem(QPixmap::fromImage(picture), entities ? m_catalogue.entityName(kind) : m_catalogue.tileName(kind));
        }
    }
    if (cboFrom->count() > 1)
        cboTo->setCurrentIndex(1);
}

areaops::Replacement frmReplace::replacement() const
{
    areaops::Replacement r;
    r.entities = optEntities->isChecked();
    r.from = static_cast<qint16>(cboFrom->currentIndex());
    r.to = static_cast<qint16>(cboTo->currentIndex());
    r.allLayers = optAllLayers->isChecked();
    r.view = m_view;
    return r;
}

void frmReplace::recount()
{
    const areaops::Replacement r = replacement();
    const int count = areaops::countReplacement(m_level, r);
    const QString things = r.entities ? (count == 1 ? QStringLiteral("entity") : QStringLiteral("entities"))
                                      : (count == 1 ? QStringLiteral("cell") : QStringLiteral("cells"));
    if (r.from == r.to)
        lblCount->setText(QStringLiteral("Choose two different kinds."));
    else if (count == 0)
        lblCount->setText(QStringLiteral("No %1 will change: there are none of that kind %2.")
                              .arg(things, r.allLayers ? QStringLiteral("on any layer") : QStringLiteral("on this layer")));
    else
        lblCount->setText(QStringLiteral("%1 %2 will change.").arg(count).arg(things));
    cmdReplace->setEnabled(count > 0);
}
