#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

// The runtime's colours are 24-bit integers 0xBBGGRR (red in the low byte), the order the stored
// settings and the window's handlers use; Qt's are 0xAARRGGBB. The controls and the colour
// dialog convert through these.

namespace kv {

// The opaque 0xAARRGGBB value of a colour 0xBBGGRR (bits above the 24 are ignored).
constexpr unsigned RgbFromBgr(int bgr)
{
    const auto value = static_cast<unsigned>(bgr);
    return 0xFF000000u | (value & 0xFFu) << 16 | (value & 0xFF00u) | (value >> 16 & 0xFFu);
}

// The colour 0xBBGGRR of a 0xAARRGGBB value (its alpha ignored).
constexpr int BgrFromRgb(unsigned rgb)
{
    return static_cast<int>((rgb >> 16 & 0xFFu) | (rgb & 0xFF00u) | (rgb & 0xFFu) << 16);
}

static_assert(RgbFromBgr(0x0000FF) == 0xFFFF0000u && BgrFromRgb(0xFFFF0000u) == 0x0000FF);
static_assert(RgbFromBgr(-1) == 0xFFFFFFFFu && BgrFromRgb(0x80123456u) == 0x563412);

} // namespace kv
