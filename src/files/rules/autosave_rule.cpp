#include "files/rules/autosave_rule.h"

namespace kv {

// ---- Autosave location
// ---------------------------------------------------------------------------

AutosavePaths AutosaveRule(const QString& programFile, const QString& configFile,
                           bool programFolderWritable, bool configFileExists)
{
    if (programFolderWritable)
        return {programFile, programFile};
    return {configFileExists ? configFile : programFile, configFile};
}

} // namespace kv
