#pragma once

#include <QByteArray>

// Qt's BMP, GIF and JPEG decoders give what they have when a file ends too
// soon, without an error: a picture cut in half comes out half black. These
// checks walk the file's own structure to tell whether it holds the whole
// picture. Other formats are left to their decoders, which refuse a file
// that ends early.
namespace cutoffpicture {

// True when `file`, a picture in `format` ("bmp", "gif", "jpeg", as
// QImageReader names them), ends before its first picture does.
bool isCutOff(const QByteArray& file, const QByteArray& format);

} // namespace cutoffpicture
