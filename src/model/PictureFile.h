#pragma once

#include "model/Result.h"

#include <QImage>
#include <QString>

// Pictures are decoded to at most this many megabytes: a 4096 by 4096
// picture at 32 bits per pixel takes 64.
inline constexpr int pictureAllocationLimitMB = 128;

// Reads the picture file at `path`: only a regular file no larger than
// filecaps::picture is handed to the decoder, so that a pipe or a device
// cannot stall it. The failure's message is worded to follow the file's
// name: "was not found", "is not a regular file", "could not be read: <the
// system's reason>", "cannot be read: <the decoder's reason>", "is damaged:
// the file ends before its picture does".
Result readPictureFile(const QString& path, QImage& picture);
