#include "editor/ui/EditorAccessibility.h"

#include "editor/ui/MapSurface.h"
#include "editor/ui/PaletteBox.h"
#include "editor/ui/PaletteImage.h"

#include <QAccessibleWidget>
#include <QPointer>
#include <QWindow>

namespace {

// The cell under the map's cursor: named by its layer, its place and what it
// holds, and focused while the map has the focus.
class CursorCellAccessible : public QAccessibleInterface
{
public:
    explicit CursorCellAccessible(MapSurface* map)
        : m_map(map)
    {
    }

    bool isValid() const override { return m_map; }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return m_map ? m_map->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(m_map.data()); }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    void setText(QAccessible::Text, const QString&) override { }

    QString text(QAccessible::Text t) const override
    {
        if (t != QAccessible::Name || !m_map)
            return {};
        return m_map->describeCell(m_map->cursorCell());
    }

    QRect rect() const override
    {
        if (!m_map)
            return {};
        const QRect cell = m_map->shownCell(m_map->cursorCell());
        return QRect(m_map->mapToGlobal(cell.topLeft()), cell.size());
    }

    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.focusable = true;
        s.focused = m_map && m_map->hasFocus();
        return s;
    }

private:
    QPointer<MapSurface> m_map;
};

class MapAccessible : public QAccessibleWidget
{
public:
    explicit MapAccessible(MapSurface* map)
        : QAccessibleWidget(map, QAccessible::Canvas)
        , m_cell(new CursorCellAccessible(map))
        , m_cellId(QAccessible::registerAccessibleInterface(m_cell))
    {
    }
    // The cell belongs to the accessibility cache, which deletes it here.
    ~MapAccessible() override { QAccessible::deleteAccessibleInterface(m_cellId); }

    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override { return index == 0 ? m_cell : nullptr; }
    int indexOfChild(const QAccessibleInterface* child) const override { return child == m_cell ? 0 : -1; }
    QAccessibleInterface* childAt(int x, int y) const override { return m_cell->rect().contains(x, y) ? m_cell : nullptr; }
    QAccessibleInterface* focusChild() const override { return widget()->hasFocus() ? m_cell : nullptr; }

private:
    CursorCellAccessible* m_cell;
    QAccessible::Id m_cellId;
};

// A palette: a list whose focused entry is the kind the keys start from.
class PaletteAccessible : public QAccessibleWidget
{
public:
    explicit PaletteAccessible(PaletteBox* box)
        : QAccessibleWidget(box, QAccessible::List)
    {
    }

    QAccessibleInterface* focusChild() const override
    {
        const auto* box = static_cast<PaletteBox*>(widget());
        return box->hasFocus() && box->current() ? QAccessible::queryAccessibleInterface(box->current()) : nullptr;
    }
};

class PaletteEntryAccessible : public QAccessibleWidget
{
public:
    explicit PaletteEntryAccessible(PaletteImage* image)
        : QAccessibleWidget(image, QAccessible::ListItem)
    {
    }

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        const auto* image = static_cast<PaletteImage*>(widget());
        s.selectable = true;
        s.selected = image->isSelected();
        // The palette holds the focus for the entry it is on.
        const PaletteBox* box = nullptr;
        for (QWidget* up = image->parentWidget(); up && !box; up = up->parentWidget())
            box = qobject_cast<PaletteBox*>(up);
        s.focusable = box != nullptr;
        s.focused = box && box->hasFocus() && box->current() == image;
        return s;
    }
};

QAccessibleInterface* editorInterface(const QString&, QObject* object)
{
    if (auto* map = qobject_cast<MapSurface*>(object))
        return new MapAccessible(map);
    if (auto* box = qobject_cast<PaletteBox*>(object))
        return new PaletteAccessible(box);
    if (auto* image = qobject_cast<PaletteImage*>(object))
        return new PaletteEntryAccessible(image);
    return nullptr;
}

} // namespace

void installEditorAccessibility()
{
    static const bool installed = [] {
        QAccessible::installFactory(editorInterface);
        return true;
    }();
    Q_UNUSED(installed);
}
