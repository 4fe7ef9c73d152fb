#include "support/test_support.h"

namespace kv::test {

QString binaryDir()
{
    return QStringLiteral(KV_BINARY_DIR);
}
QString sourceDir()
{
    return QStringLiteral(KV_SOURCE_DIR);
}

} // namespace kv::test
