#include "files/settings_file.h"

#include "app/main_window.h"
#include "app/picture_box.h"
#include "controls/cw_timer.h"

#include <QFileInfo>

namespace kv {

SettingsFile::SettingsFile(Main& main) : HandlerGroup(main) {}

void SettingsFile::FileRepExistsAST(const QString& path)
{
    if (!QFileInfo::exists(path)) {
        m.Options->setVisible(true);
        m.CheckCOM->setEnabled(true);
        return;
    }
    LoadSettingsFile();
}

void SettingsFile::LoadSettingsFile()
{
    // Completed by the settings-file group.
}

} // namespace kv
