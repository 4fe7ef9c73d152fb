#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <QString>

namespace kv {

// ---- Where the autosave file lives -----------------------------------------------------------
// Written in the program folder while it is writable, else in the user's configuration folder.
// Read from where it is written; when that is the configuration folder and no file is there
// yet, the program folder's file (one installed with the program) is read instead.

inline const QString AutosaveFileName = QStringLiteral("R7S.ast");

struct AutosavePaths
{
    QString read;
    QString write;
};

AutosavePaths AutosaveRule(const QString& programFile, const QString& configFile,
                           bool programFolderWritable, bool configFileExists);

} // namespace kv
