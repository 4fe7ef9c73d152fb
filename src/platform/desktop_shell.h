#pragma once

#include "platform/services.h"

namespace kv {

// Opens files and web pages with the desktop's programs.
class DesktopShell : public Shell
{
public:
    void open(const QString& fileOrUrl) override;
};

} // namespace kv
