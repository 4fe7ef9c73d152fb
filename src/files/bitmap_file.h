#pragma once

// A pure rule, free of QObject, widgets, controls and the window; it needs QtGui's QImage, so it
// builds with the file groups (kv_groups) rather than in kv_rules.

#include "files/layer.h"

#include <QByteArray>
#include <QImage>

namespace kv {

// The image as a 24-bit Windows bitmap file.
QByteArray BitmapFileBytes(const QImage& image);

} // namespace kv
