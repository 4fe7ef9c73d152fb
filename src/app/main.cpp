#include "app/main_window.h"
#include "files/settings_file.h"
#include "platform/desktop_shell.h"
#include "platform/linux_registry_view.h"
#include "platform/linux_system_info.h"
#include "platform/qt_dialogs.h"
#include "platform/qt_serial_control.h"
#include "platform/rules/com_port_map.h"
#include "platform/services.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The program ends only through Shutdown, which writes the autosave file first. Qt would
    // otherwise quit when a message box closes while only the splash window is up (the splash
    // does not count as a window to Qt, and the main window is still hidden).
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setApplicationName(QStringLiteral("Kestrovue"));
    const QString folder = kv::executableFolder();
    // The COM port links (dosdevices/): the program folder's, else the configuration folder's.
    const QString linkFolder = kv::comLinkFolder(folder);

    kv::QtSerialControl serial(linkFolder);
    kv::QtDialogs dialogs;
    kv::DesktopShell shell;
    kv::LinuxRegistryView registry(linkFolder);
    kv::LinuxSystemInfo systemInfo;
    kv::SystemPrinterFactory printers;

    kv::Main main({serial, dialogs, shell, registry, systemInfo, printers, folder});
    dialogs.setParent(&main);
    main.Form_Load();
    // What start-up kept aside is told once it has returned, from the event loop.
    QTimer::singleShot(0, &main, [&main] { main.settingsFile->TellKeptAutosave(); });
    return app.exec();
}
