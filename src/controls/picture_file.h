#pragma once

#include "controls/layer.h"

#include <QImage>
#include <QString>

namespace kv {

// The largest side a face picture may state: twice the face's width at its largest skin, so
// that every skin fits and a header that claims a huge picture is refused before it is decoded.
inline constexpr int MostPictureSide = 2500;

// Reads the picture file at `path`: a null image when it is not a regular file (a pipe or a
// device would hold the program until something writes to it), when its header states a side
// longer than `mostSide` or no size at all, or when it cannot be decoded.
QImage ReadPictureFile(const QString& path, int mostSide = MostPictureSide);

} // namespace kv
