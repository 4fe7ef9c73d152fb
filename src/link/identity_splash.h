#pragma once

#include "link/layer.h"

#include <QString>

namespace kv {

// What the identification shows on the splash window: its lamp, its closing timer and the
// instrument's lines. The window implements it; the identification asks `visible()` before
// each change it makes only on a shown splash.
class IdentitySplash
{
  public:
    virtual ~IdentitySplash() = default;

    // True while the splash window is loaded and shown.
    virtual bool visible() const = 0;
    // The splash's lamp in this off colour (0xBBGGRR).
    virtual void setLamp(int bgr) = 0;
    // Starts the splash's closing timer, unless it runs already.
    virtual void armClosing() = 0;
    virtual void setModel(const QString& line) = 0;
    // Loads the splash window, hidden, when it is not loaded.
    virtual void setFirmware(const QString& line) = 0;
    virtual void setManufacture(const QString& line) = 0;
};

} // namespace kv
