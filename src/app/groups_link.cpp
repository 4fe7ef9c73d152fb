// The link groups: the instrument's identification, port search, calibration and acquisition.
#include "app/main_window.h"
#include "link/acquisition.h"
#include "link/calibration.h"
#include "link/identification.h"
#include "link/port_search.h"

namespace kv {

void Main::createLinkGroups()
{
    identification = addGroup<Identification>(*this);

    portSearch = addGroup<PortSearch>(*this);

    calibration = addGroup<Calibration>(*this);

    acquisition = addGroup<Acquisition>(*this);
}

} // namespace kv
