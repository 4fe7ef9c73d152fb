// Creation of the handler groups. Each group is given the state, the controls and the peers it
// uses; a folder's groups are built after the folders whose groups they call, so every peer
// exists when a group is built.
#include "app/about_window.h"
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
    addGroup<HelpMenu>(HelpMenu::Controls{.mnuHHelp = mnuHHelp,
                                          .mnuHOnlineH = mnuHOnlineH,
                                          .mnuHAbout = mnuHAbout},
                       shell, programFolder, [this] { return new AboutWindow(*this); });

    shutdown = addGroup<Shutdown>(
        state,
        Shutdown::Controls{
            .window = this, .CWButton3 = CWButton3, .CWButton14 = CWButton14, .mnuFExit = mnuFExit},
        dialogs, programFolder, [this] { unloadSplash(); }, *settingsFile, *printing);
}

} // namespace kv
