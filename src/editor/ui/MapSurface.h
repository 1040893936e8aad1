#pragma once

#include "app/ui/PictureBox.h"
#include "editor/MapTools.h"

#include <QImage>

// The map: a picture box that keeps what is drawn on it in an image, shows
// it, and reports mouse presses, moves and the release of the last button in
// twips on its inner area with the buttons numbered 1 (left), 2 (right) and
// 4 (middle).
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

signals:
    void mouseDown(int button, int shift, double x, double y);
    void mouseMove(int buttons, int shift, double x, double y);
    // The last button that was held went up: what the press began ends.
    void mouseUp(int button, int shift, double x, double y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    // The pixels the preview covers, in the widget.
    QRect previewPixels(const ToolPreview& preview) const;
    // The pixels of a rectangle of cells up to the middle of the grid lines around them.
    static QRect framePixels(const QRect& cells);
    void paintSelection(QPainter& painter) const;

    QImage m_image;
    ToolPreview m_preview;
    QRect m_selection;
    QRect m_liftedFrom;
};
