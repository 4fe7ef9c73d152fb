#include "link/port_search.h"

#include "controls/cw_button.h"
#include "controls/picture_box.h"
#include "link/identification.h"
#include "platform/rules/runtime_rules.h"
#include "platform/rules/serial_control.h"
#include "platform/services.h"

#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <cmath>

namespace kv {

namespace {
constexpr int PlatformUnidentified = 0;
constexpr int PlatformWin9x = 1;
constexpr int PlatformNT = 2;
} // namespace

std::optional<QString> ReadRegistryText(const RegistryView& registry, const QString& keyPath,
                                        const QString& valueName)
{
    std::optional<QString> text = registry.value(keyPath, valueName);
    if (text && text->endsWith(QChar(0)))
        text->chop(1);
    return text;
}

QString QueryValue(const RegistryView& registry, const QString& keyPath, const QString& valueName)
{
    return ReadRegistryText(registry, keyPath, valueName).value_or(QString());
}

PortSearch::PortSearch(GlobalV& global, SerialControl& serial, Dialogs& dialogs,
                       RegistryView& registry, SystemInfo& sysDetectOS, const Controls& controls,
                       Identification& identification)
    : global_(global), serial_(serial), dialogs_(dialogs), registry_(registry),
      sysDetectOS_(sysDetectOS), ui(controls), identification_(identification)
{
    ui.COMCombo->installEventFilter(this);
    if (QLineEdit* edit = ui.COMCombo->lineEdit())
        edit->installEventFilter(this);
    connect(ui.Image2, &PictureBox::doubleClicked, this, &PortSearch::Image2_DblClick);
    connect(ui.btnSearchCOMPort, &CwButton::valueChanged, this,
            &PortSearch::btnSearchCOMPort_ValueChanged);
    connect(ui.btnSelectCOMPort, &CwButton::valueChanged, this,
            &PortSearch::btnSelectCOMPort_ValueChanged);
    connect(ui.mnuFcom, &QAction::triggered, this, &PortSearch::mnuFcom_Click);
}

bool PortSearch::eventFilter(QObject* watched, QEvent* event)
{
    // Focus moving between the box and its own line edit is not leaving the list.
    if (event->type() == QEvent::FocusOut && !ui.COMCombo->hasFocus())
        COMCombo_LostFocus();
    return QObject::eventFilter(watched, event);
}

void PortSearch::COMCombo_LostFocus()
{
    QComboBox& combo = *ui.COMCombo;
    // Text that is no number keeps the selection in force; a number outside the list is taken
    // to its nearest end, so the port stays within 1 to 256.
    const int position = ComListPositionFor(combo.currentText()).value_or(combo.currentIndex());
    if (position < 0)
        return;
    combo.setCurrentIndex(position); // runs COMCombo_Click on a change
    combo.setEditText(combo.itemText(position));
    serial_.PortNumber(position + 1);
}

void PortSearch::Image2_DblClick()
{
    if (sysDetectOS_.platformCode() != PlatformNT)
        return;
    ui.btnSearchCOMPort->setVisible(true);
    ui.Label4->setVisible(false);
}

bool PortSearch::platformAllowsSearch()
{
    switch (sysDetectOS_.platformCode()) {
    case PlatformUnidentified:
        dialogs_.MsgBox(QStringLiteral("Are you running Windows 2000,\nWindows XP or later?"),
                        MsgButtons::YesNo, MsgIcon::None,
                        QStringLiteral("Unidentified Operating System."));
        return true;
    case PlatformWin9x:
        dialogs_.MsgBox(QStringLiteral("COM Prot Dection is not avaliable in this version."),
                        MsgButtons::OK, MsgIcon::Critical,
                        QStringLiteral("Wrong Operating System!"));
        return false;
    case PlatformNT:
        return true;
    default:
        return false;
    }
}

void PortSearch::searchRegistry()
{
    const std::optional<int> port =
        PortFromSerialComm(QueryValue(registry_, SerialCommKey, SerialCommValue));
    if (!port)
        return;
    global_.COMPortNumber = static_cast<float>(*port);
    const QString number = QString::number(*port);
    ui.lblSearchPort->setText(QStringLiteral("Oscilloscope USB interface found on COM Port ") +
                              number + QLatin1Char('.'));
    ui.btnSelectCOMPort->setVisible(true);
    ui.btnSelectCOMPort->setOnText(QStringLiteral("Select COM Port ") + number);
    ui.btnSelectCOMPort->setOffText(QStringLiteral("Select COM Port ") + number);
}

void PortSearch::btnSearchCOMPort_ValueChanged(bool value)
{
    if (value && platformAllowsSearch())
        searchRegistry();
}

void PortSearch::btnSelectCOMPort_ValueChanged(bool)
{
    const int port = static_cast<int>(global_.COMPortNumber);
    // Only a port that a search found can be selected.
    if (port < 1 || port > PortCount)
        return;
    ui.COMCombo->setEditText(QString::number(port));
    ui.COMCombo->setCurrentIndex(port - 1); // runs COMCombo_Click on a change
    serial_.PortNumber(port);
    identification_.CheckHardware();
    ui.lblSearchPort->setText(QString());
    ui.btnSelectCOMPort->setOnText(QString());
    ui.btnSelectCOMPort->setOffText(QString());
}

void PortSearch::mnuFcom_Click()
{
    ui.CWButton18->setValue(true);
    ui.CWButton18->setValue(false);
}

} // namespace kv
