#pragma once

#include "controls/control_classes.h"
#include "link/layer.h"
#include "link/rules/com_port_numbers.h"
#include "state/global_v.h"

#include <QObject>
#include <QString>
#include <optional>

namespace kv {

class Dialogs;
class Identification;
class RegistryView;
class SerialControl;
class SystemInfo;

// A text value of the registry view, without the terminating NUL it may be stored with; nullopt
// when the key or the value is missing.
std::optional<QString> ReadRegistryText(const RegistryView& registry, const QString& keyPath,
                                        const QString& valueName);
// The same, "" for anything missing.
QString QueryValue(const RegistryView& registry, const QString& keyPath, const QString& valueName);

// The COM port list of the Options panel, the hidden search and select buttons, the double-click
// that reveals the search, and File, "Set COM Port".
class PortSearch : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        QComboBox* COMCombo;
        PictureBox* Image2; // its double-click reveals the search button
        CwButton* btnSearchCOMPort;
        CwButton* btnSelectCOMPort;
        QLabel* Label4;        // hidden when the search button is revealed
        QLabel* lblSearchPort; // the port found
        QAction* mnuFcom;
        CwButton* CWButton18; // "Oscilloscope settings", pulsed by File, "Set COM Port"
    };

    PortSearch(GlobalV& global, SerialControl& serial, Dialogs& dialogs, RegistryView& registry,
               SystemInfo& sysDetectOS, const Controls& controls, Identification& identification);

    void COMCombo_LostFocus();
    void Image2_DblClick();
    void btnSearchCOMPort_ValueChanged(bool value);
    void btnSelectCOMPort_ValueChanged(bool value);
    void mnuFcom_Click();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The platform check before a search; false when the search must not go on.
    bool platformAllowsSearch();
    void searchRegistry();

    GlobalV& global_;
    SerialControl& serial_;
    Dialogs& dialogs_;
    RegistryView& registry_;
    SystemInfo& sysDetectOS_;
    const Controls ui;
    Identification& identification_;
};

} // namespace kv
