// The display and spectrum groups: they call no other group.
#include "app/main_window.h"
#include "display/cursors.h"
#include "display/read_outs.h"
#include "display/trace_view.h"
#include "spectrum/spectrum_launcher.h"

namespace kv {

void Main::createDisplayGroups()
{
    readOuts = addGroup<ReadOuts>(*this);

    cursors = addGroup<Cursors>(*this);

    traceView = addGroup<TraceView>(*this);

    spectrum = addGroup<SpectrumLauncher>(*this);
}

} // namespace kv
