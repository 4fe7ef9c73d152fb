#pragma once

#include "controls/layer.h"

#include <QColor>

namespace kv {

// Colours of the instrument face are 24-bit integers 0xBBGGRR (platform/bgr_colour.h). These
// turn them into QColor and back.
QColor colorFromBgr(int bgr);
int bgrFromColor(const QColor& color);

// The dark instrument face shared by all controls.
namespace face {
inline constexpr int Background = 0x1E1A18;    // panel behind the controls
inline constexpr int Bezel = 0x4A423C;         // rims and tracks
inline constexpr int Label = 0xD8D8D8;         // texts and scale marks
inline constexpr int DisabledLabel = 0x707070; // texts of a disabled control
} // namespace face

} // namespace kv
