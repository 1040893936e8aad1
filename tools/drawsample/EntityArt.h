#pragma once

#include <QImage>
#include <QString>
#include <QVector>

class PixelCanvas;

// One entity kind of the sample game, in catalogue order.
struct EntityKind
{
    QString name;
    QString rule; // the game's behaviour; the editor keeps but ignores it
    QString tip; // a TAB starts a new paragraph in the editor
    void (*draw)(PixelCanvas& canvas); // the figure, on a transparent picture
};

constexpr int kEntityArt = 28;

const QVector<EntityKind>& entityKinds();

// The map shows an entity as (map AND first) OR second, so the first picture
// is the figure's black silhouette on white and the second the figure in
// colour on black.
QString andFileName(const EntityKind& kind);
QString orFileName(const EntityKind& kind);
QImage drawFigure(const EntityKind& kind);
QImage silhouettePicture(const QImage& figure);
QImage colourPicture(const QImage& figure);

// The player start is drawn with a single AND: white lets the map through,
// so the figure uses black and full-strength colours that tint the tile below.
QImage drawPlayer();
