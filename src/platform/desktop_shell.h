#pragma once

#include "platform/layer.h"
#include "platform/services.h"

namespace kv {

// Opens files and web pages with the desktop's programs, and starts programs.
class DesktopShell : public Shell
{
  public:
    void open(const QString& fileOrUrl) override;
    // The program runs on its own, detached from this one.
    bool start(const QString& program) override;
};

} // namespace kv
