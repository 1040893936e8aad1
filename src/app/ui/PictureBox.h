#pragma once

#include <QFrame>

// A panel whose children lie in a client area inside an optional 2-pixel
// sunken border, so that their places do not depend on the border.
class PictureBox : public QFrame
{
    Q_OBJECT
public:
    explicit PictureBox(QWidget* parent = nullptr);

    void setBorder(bool border);
    bool hasBorder() const { return frameShape() != QFrame::NoFrame; }
    QWidget* client() const { return m_client; }
    // Marks the panel as the one the keyboard works in: its border shows in
    // the highlight colour.
    void setHighlight(bool highlight);
    bool isHighlighted() const { return m_highlight; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* m_client;
    bool m_highlight = false;
};
