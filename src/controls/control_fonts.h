#pragma once

#include "controls/layer.h"

#include <QFont>
#include <QString>

namespace kv {

// The font at another size, in pixels where `pixels` (at least 1) or else in points: the
// controls keep whichever unit their font was given in.
QFont fontWithSize(QFont font, double size, bool pixels);

// The largest font, at most the given one (down to 4 pixels or points), at which the text fits
// the width.
QFont fittedFont(QFont font, const QString& text, double width);

} // namespace kv
