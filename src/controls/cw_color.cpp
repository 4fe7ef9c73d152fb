#include "controls/cw_color.h"

#include "platform/rules/bgr_colour.h"

namespace kv {

QColor colorFromBgr(int bgr)
{
    return QColor(QRgb(RgbFromBgr(bgr)));
}

int bgrFromColor(const QColor& color)
{
    return BgrFromRgb(color.rgb());
}

} // namespace kv
