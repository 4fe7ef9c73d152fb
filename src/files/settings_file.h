#pragma once

#include "app/handler_group.h"

#include <QString>

namespace kv {

// The settings file: the autosave file and the user's *.set files.
class SettingsFile : public HandlerGroup
{
    Q_OBJECT

public:
    explicit SettingsFile(Main& main);

    // Start-up's check of the autosave file: absent, the Options panel is shown and the link
    // watch enabled; present, it is loaded.
    void FileRepExistsAST(const QString& path);
    // Loads the file named by FilePath and drives the controls into its state.
    void LoadSettingsFile();
};

} // namespace kv
