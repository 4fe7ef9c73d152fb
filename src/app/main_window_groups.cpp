// Creation of the handler groups. Add a group with one line in createGroups() and its include
// below; the order of the lines is the order in which the groups connect their handlers.
#include "app/handler_group.h"
#include "app/help_menu.h"
#include "app/main_window.h"
#include "app/shutdown.h"
#include "display/cursors.h"
#include "display/read_outs.h"
#include "display/trace_view.h"
#include "files/default_settings.h"
#include "files/exports.h"
#include "files/printing.h"
#include "files/reference_waveforms.h"
#include "files/settings_file.h"
#include "files/window_picture.h"
#include "link/acquisition.h"
#include "link/calibration.h"
#include "link/identification.h"
#include "link/port_search.h"
#include "panel/attenuators.h"
#include "panel/channels.h"
#include "panel/horizontal_position.h"
#include "panel/menu_marks.h"
#include "panel/side_panels.h"
#include "panel/time_div.h"
#include "panel/trigger_level.h"
#include "panel/trigger_source.h"
#include "panel/volts_div.h"
#include "spectrum/spectrum_launcher.h"

namespace kv {

template <class Group> Group* Main::addGroup()
{
    auto group = std::make_unique<Group>(*this);
    Group* raw = group.get();
    groups_.push_back(std::move(group));
    return raw;
}

void Main::createGroups()
{
    acquisition = addGroup<Acquisition>();
    readOuts = addGroup<ReadOuts>();
    traceView = addGroup<TraceView>();
    cursors = addGroup<Cursors>();
    channels = addGroup<Channels>();
    attenuators = addGroup<Attenuators>();
    voltsDiv = addGroup<VoltsDiv>();
    timeDiv = addGroup<TimeDiv>();
    triggerSource = addGroup<TriggerSource>();
    triggerLevel = addGroup<TriggerLevel>();
    horizontalPosition = addGroup<HorizontalPosition>();
    menuMarks = addGroup<MenuMarks>();
    sidePanels = addGroup<SidePanels>();
    identification = addGroup<Identification>();
    portSearch = addGroup<PortSearch>();
    calibration = addGroup<Calibration>();
    settingsFile = addGroup<SettingsFile>();
    defaultSettings = addGroup<DefaultSettings>();
    referenceWaveforms = addGroup<ReferenceWaveforms>();
    addGroup<HelpMenu>();
    exports = addGroup<Exports>();
    windowPicture = addGroup<WindowPicture>();
    printing = addGroup<Printing>();
    shutdown = addGroup<Shutdown>();
    spectrum = addGroup<SpectrumLauncher>();
}

} // namespace kv
