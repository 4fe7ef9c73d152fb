#pragma once

#include "app/layer.h"

#include <QString>
#include <QWidget>

namespace kv {

class CwButton;
class Dialogs;
class Main;
class PictureBox;
class RegistryView;
class Shell;

inline const QString DistributorPage = QStringLiteral("https://www.corvanth.example/");

// Reads one text value of the registry view into `value`; false (and "") when it is missing.
bool GetKeyValue(const RegistryView& registry, const QString& keyName, const QString& valueName,
                 QString& value);

// Starts the system-information tool that the registry names, or says that there is none.
void StartSysInfo(const RegistryView& registry, Shell& shell, Dialogs& dialogs);

// The About window: version line, system information, the distributor's page. Above every
// other window while open; OK unloads it.
class AboutWindow : public QWidget
{
    Q_OBJECT

  public:
    explicit AboutWindow(Main& main);

    PictureBox* Picture1 = nullptr;
    PictureBox* lblVersion = nullptr;
    PictureBox* Image1 = nullptr;  // opens the distributor's page
    CwButton* CWButton1 = nullptr; // "System Info."
    CwButton* CWButton2 = nullptr; // "OK"

    void CWButton1_ValueChanged(bool value);
    void CWButton2_ValueChanged();
    void Image1_Click();

  private:
    void Form_Load();

    Main& main_;
};

} // namespace kv
