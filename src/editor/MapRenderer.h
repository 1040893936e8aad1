#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QRect>

#include <memory>
#include <vector>

class CellComposer;

struct EditorPictures;
struct Level;

// Draws a level as the map shows it, one view (layer) at a time: the main
// level's tiles and entities, on a corner view the hatch over them and the
// corner screen's own tiles and entities on top, the player start last.
// Tiles are copied; an entity is the AND of its first picture followed by
// the OR of its second; the player start is one AND. Things that lie outside
// the image are cut off; kinds without a picture are left out.
namespace maprenderer {

// What shows where no picture covers the map: margins and the grid lines.
inline constexpr QRgb backgroundColour = 0xFFF0F0F0;
// The map's foreground colour, in which the hatch is drawn.
inline constexpr QRgb hatchColour = 0xFFC0C0C0;
// Twips between neighbouring hatch lines: a third of the cell pitch.
inline constexpr int hatchSpacing = 155;

// A level's map in one view, ready to be drawn a run of pixel rows at a time
// with the same pixels as drawTiles, so that a picture of the whole map can
// be written without ever holding all of it. The pictures and the level must
// outlive it, unchanged.
class MapDrawing
{
public:
    MapDrawing(const EditorPictures& pictures, const Level& level, int view);
    ~MapDrawing();

    // The whole map, in pixels.
    QSize size() const { return m_size; }

    // Draws the map's pixel rows from `top` on into `rows`, a 32-bit RGB
    // image as wide as the map whose row 0 is the map's row `top`; rows
    // past the map's last are left as they were.
    void draw(QImage& rows, int top);

private:
    void drawMargins(QImage& rows, int top) const;
    void drawOffGrid(QImage& rows, int top) const;
    void drawInBands(QImage& rows, int top) const;

    const EditorPictures& m_pictures;
    const Level& m_level;
    int m_view;
    QSize m_size;
    // Draws the grid when every picture fits in its cell; otherwise the map
    // is drawn layer by layer in bands.
    std::unique_ptr<CellComposer> m_cells;
    // Slots of the entities drawn in this view that stand outside the grid,
    // in drawing order.
    std::vector<int> m_offGrid;
};

// Clears `image` and draws the whole level in `view`. The image is made anew,
// at the map's inner size, when it does not already have that size.
void drawTiles(QImage& image, const EditorPictures& pictures, const Level& level, int view);

// The same into a new image.
QImage renderLevel(const EditorPictures& pictures, const Level& level, int view);

// Draws again what cell (x, y) holds in `view`, over what the image showed
// there. Returns the pixels it changed; a cell outside the grid is left alone
// and gives an empty rectangle.
QRect drawCell(QImage& image, const EditorPictures& pictures, const Level& level, int view, int x, int y);
// The same for several cells, each drawn once, with one pass over the
// entities for all of them.
QRect drawCells(QImage& image, const EditorPictures& pictures, const Level& level, int view, const std::vector<QPoint>& cells);

// Two families of 45-degree lines, one pixel wide, in the hatch colour, over
// a rectangle of the map given in twips and clipped to it; the lines of a
// cell's rectangle fall on the same pixels as those of the grid's.
void drawHatch(QImage& image, int left, int top, int width, int height);

} // namespace maprenderer
