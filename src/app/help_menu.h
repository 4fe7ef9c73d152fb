#pragma once

#include "app/layer.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QAction;

namespace kv {

class AboutWindow;
class Shell;

// The help document beside the program, an HTML page the shell opens in the web browser.
inline const QString HelpFileName = QStringLiteral("KestrovueR7T Help.html");
inline const QString OnlineHelpPage = QStringLiteral("https://www.kestrovue.example/help/r7t");

// The Help menu: the help file beside the program, the online help page, the About window.
class HelpMenu : public QObject
{
    Q_OBJECT

  public:
    // The menu items the group answers; none is null.
    struct Controls
    {
        QAction* mnuHHelp;
        QAction* mnuHOnlineH;
        QAction* mnuHAbout;
    };

    // `newAbout` makes the About window (it reads the splash window and the services of the
    // main window that makes it).
    HelpMenu(const Controls& controls, Shell& shell, const QString& programFolder,
             std::function<AboutWindow*()> newAbout);
    ~HelpMenu() override;

    void mnuHHelp_Click();
    void mnuHOnlineH_Click();
    void mnuHAbout_Click();

    // The About window while it is open, else null.
    AboutWindow* frmAbout() const;

  private:
    const Controls ui;
    Shell& shell_;
    const QString programFolder_;
    const std::function<AboutWindow*()> newAbout_;
    QPointer<AboutWindow> about_;
};

} // namespace kv
