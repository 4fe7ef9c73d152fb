#pragma once

#include <QString>

namespace kv::test {

// Folder of the built programs (build/kestrovue, build/instrument-sim).
QString binaryDir();
// Folder of the project's sources.
QString sourceDir();

} // namespace kv::test
