// The file groups: settings, references, exports, pictures and printing.
#include "app/main_window.h"
#include "files/default_settings.h"
#include "files/exports.h"
#include "files/printing.h"
#include "files/reference_waveforms.h"
#include "files/settings_file.h"
#include "files/window_picture.h"

namespace kv {

void Main::createFileGroups()
{
    settingsFile = addGroup<SettingsFile>(*this);

    defaultSettings = addGroup<DefaultSettings>(*this);

    referenceWaveforms = addGroup<ReferenceWaveforms>(*this);

    exports = addGroup<Exports>(*this);

    windowPicture = addGroup<WindowPicture>(*this);

    printing = addGroup<Printing>(*this);
}

} // namespace kv
