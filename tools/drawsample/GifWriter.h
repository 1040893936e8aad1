#pragma once

#include <QImage>
#include <QString>

// Qt reads GIF but cannot write it, and the tile sheet has to be a GIF.
// The image must use at most 256 distinct colours; returns false otherwise
// or when the file cannot be written.
bool writeGif(const QImage& image, const QString& path);
