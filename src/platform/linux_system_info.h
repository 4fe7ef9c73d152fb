#pragma once

#include "platform/layer.h"
#include "platform/services.h"

namespace kv {

// System information on Linux: the NT-family platform code, and a desktop text height of 16
// pixels exactly when the screen's logical DPI is 96.
class LinuxSystemInfo : public SystemInfo
{
  public:
    int platformCode() const override { return 2; }
    int desktopTextHeight() const override;
    // The primary screen's available geometry.
    QRect workArea() const override;

    // 16 at 96 DPI; below 16 under it and above 16 over it.
    static int textHeightForDpi(double dpi);
};

} // namespace kv
