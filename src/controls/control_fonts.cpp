#include "controls/control_fonts.h"

#include <QFontMetricsF>
#include <algorithm>

namespace kv {

QFont fontWithSize(QFont font, double size, bool pixels)
{
    if (pixels)
        font.setPixelSize(std::max(1, int(size)));
    else
        font.setPointSizeF(size);
    return font;
}

QFont fittedFont(QFont font, const QString& text, double width)
{
    const bool pixels = font.pixelSize() > 0;
    const double step = pixels ? 1.0 : 0.5;
    for (double size = pixels ? font.pixelSize() : font.pointSizeF();
         size > 4 && QFontMetricsF(font).horizontalAdvance(text) > width;) {
        size -= step;
        font = fontWithSize(font, size, pixels);
    }
    return font;
}

} // namespace kv
