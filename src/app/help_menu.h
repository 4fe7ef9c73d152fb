#pragma once

#include "app/handler_group.h"

#include <QPointer>
#include <QString>

namespace kv {

class AboutWindow;

// The help document beside the program, an HTML page the shell opens in the web browser.
inline const QString HelpFileName = QStringLiteral("KestrovueR7T Help.html");
inline const QString OnlineHelpPage = QStringLiteral("https://www.kestrovue.example/help/r7t");

// The Help menu: the help file beside the program, the online help page, the About window.
class HelpMenu : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit HelpMenu(Main& main);
    ~HelpMenu() override;

    void mnuHHelp_Click();
    void mnuHOnlineH_Click();
    void mnuHAbout_Click();

    // The About window while it is open, else null.
    AboutWindow* frmAbout() const;

  private:
    QPointer<AboutWindow> about_;
};

} // namespace kv
