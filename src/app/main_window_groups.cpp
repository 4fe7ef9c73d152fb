// Creation of the handler groups. Each group is given the state, the controls and the peers it
// uses; a folder's groups are built after the folders whose groups they call, so every peer
// exists when a group is built.
#include "app/help_menu.h"
#include "app/main_window.h"
#include "app/shutdown.h"

namespace kv {

void Main::createGroups()
{
    createDisplayGroups();
    createPanelGroups();
    createLinkGroups();
    createFileGroups();
    createWindowGroups();
}

void Main::createWindowGroups()
{
    addGroup<HelpMenu>(*this);

    shutdown = addGroup<Shutdown>(*this);
}

} // namespace kv
