#include "app/help_menu.h"

#include "app/about_window.h"
#include "app/main_window.h"
#include "platform/services.h"

#include <QAction>
#include <QDir>

namespace kv {

HelpMenu::HelpMenu(Main& main) : HandlerGroup(main)
{
    connect(m.mnuHHelp, &QAction::triggered, this, &HelpMenu::mnuHHelp_Click);
    connect(m.mnuHOnlineH, &QAction::triggered, this, &HelpMenu::mnuHOnlineH_Click);
    connect(m.mnuHAbout, &QAction::triggered, this, &HelpMenu::mnuHAbout_Click);
}

HelpMenu::~HelpMenu()
{
    if (about_)
        delete about_.data();
}

AboutWindow* HelpMenu::frmAbout() const
{
    return about_.data();
}

void HelpMenu::mnuHHelp_Click()
{
    m.shell.open(QDir(m.programFolder).filePath(HelpFileName));
}

void HelpMenu::mnuHOnlineH_Click()
{
    m.shell.open(OnlineHelpPage);
}

void HelpMenu::mnuHAbout_Click()
{
    if (!about_)
        about_ = new AboutWindow(m);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

} // namespace kv
