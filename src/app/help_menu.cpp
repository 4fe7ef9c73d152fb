#include "app/help_menu.h"

#include "app/about_window.h"
#include "platform/services.h"

#include <QAction>
#include <QDir>

namespace kv {

HelpMenu::HelpMenu(const Controls& controls, Shell& shell, const QString& programFolder,
                   std::function<AboutWindow*()> newAbout)
    : ui(controls), shell_(shell), programFolder_(programFolder), newAbout_(std::move(newAbout))
{
    connect(ui.mnuHHelp, &QAction::triggered, this, &HelpMenu::mnuHHelp_Click);
    connect(ui.mnuHOnlineH, &QAction::triggered, this, &HelpMenu::mnuHOnlineH_Click);
    connect(ui.mnuHAbout, &QAction::triggered, this, &HelpMenu::mnuHAbout_Click);
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
    shell_.open(QDir(programFolder_).filePath(HelpFileName));
}

void HelpMenu::mnuHOnlineH_Click()
{
    shell_.open(OnlineHelpPage);
}

void HelpMenu::mnuHAbout_Click()
{
    if (!about_)
        about_ = newAbout_();
    about_->show();
    about_->raise();
    about_->activateWindow();
}

} // namespace kv
