#pragma once

#include "app/ui/PictureBox.h"
#include "editor/MapScale.h"
#include "editor/MapTools.h"

#include <QImage>

#include <functional>

// The map: a picture box that keeps what is drawn on it in an image, shows
// it, and reports mouse presses, moves and the release of the last button in
// twips on the map as designed, with the buttons numbered 1 (left), 2
// (right) and 4 (middle).
//
// It takes the keyboard focus by Tab and by a click. While it has the focus
// and the keyboard is in use on it, a cursor marks one cell, drawn over the
// image and apart from it; a screen reader hears that cell described.
class MapSurface : public PictureBox
{
    Q_OBJECT
public:
    explicit MapSurface(QWidget* parent = nullptr);

    QImage& image() { return m_image; }
    const QImage& image() const { return m_image; }
    // Shows again the pixels of the image that were drawn on.
    void showChanged(const QRect& pixels);
    void showAll();

    // Outlines a rectangle or a line that a tool is dragging, over the
    // drawn image and apart from it; an empty preview outlines nothing.
    void setPreview(const ToolPreview& preview);
    const ToolPreview& preview() const { return m_preview; }

    // Frames the selected cells with a dashed line, over the drawn image and
    // apart from it; an empty rectangle frames nothing. While a block is
    // being moved, `liftedFrom` is where it was taken: its picture goes with
    // the frame.
    void setSelection(const QRect& frame, const QRect& liftedFrom = QRect());
    const QRect& selectionFrame() const { return m_selection; }

    // The zoom at which the image shows; at the designed scale it shows
    // pixel for pixel. The owner sizes the surface to match.
    void setScale(const MapScale& scale);
    const MapScale& scale() const { return m_scale; }
    // A position on the surface, in its pixels, as twips on the map as
    // designed: what the mouse handlers get, at every zoom.
    QPointF twipsAt(QPointF position) const;
    // Where a cell shows on the surface, in its pixels.
    QRect shownCell(QPoint cell) const;

    // The keyboard's cell.
    void setCursorCell(QPoint cell);
    QPoint cursorCell() const { return m_cursorCell; }
    // The keyboard works on the map: the cursor shows while the map has the
    // focus, until a mouse button is pressed on it.
    void showCursor();
    bool isCursorShown() const { return m_cursorWanted && hasFocus(); }
    // What the screen reader hears of a cell.
    void setCellDescriber(std::function<QString(QPoint)> describer) { m_describer = std::move(describer); }
    QString describeCell(QPoint cell) const { return m_describer ? m_describer(cell) : QString(); }

signals:
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int buttons, int shift, double x, double y);
    // The last button that was held went up: what the press began ends.
    void mouseUp(int button, int shift, double x, double y);
    // The focus came by Tab or Shift+Tab.
    void focusedByKeyboard();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The pixels the preview covers, in the widget.
    QRect previewPixels(const ToolPreview& preview) const;
    // The pixels of a rectangle of cells up to the middle of the grid lines
    // around them, in the image and in the widget.
    static QRect frameImagePixels(const QRect& cells);
    QRect framePixels(const QRect& cells) const;
    void paintSelection(QPainter& painter) const;
    // The pixels of the cursor's frame on `cell`, in the widget.
    QRect cursorFrame(QPoint cell) const;
    // The image at the present scale over the `exposed` part of the inner area.
    void paintImage(QPainter& painter, const QRect& inner, const QRect& exposed) const;
    void paintCursor(QPainter& painter) const;
    // Tells a screen reader that the cursor's cell took the focus or changed.
    void announceCursor(bool moved);

    QImage m_image;
    ToolPreview m_preview;
    QRect m_selection;
    QRect m_liftedFrom;
    MapScale m_scale;
    QPoint m_cursorCell{0, 0};
    bool m_cursorWanted = false;
    std::function<QString(QPoint)> m_describer;
};
