#include "link/port_search.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/picture_box.h"
#include "link/identification.h"
#include "platform/runtime_rules.h"
#include "platform/serial_control.h"
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

PortSearch::PortSearch(Main& main) : HandlerGroup(main)
{
    m.COMCombo->installEventFilter(this);
    if (QLineEdit* edit = m.COMCombo->lineEdit())
        edit->installEventFilter(this);
    connect(m.Image2, &PictureBox::doubleClicked, this, &PortSearch::Image2_DblClick);
    connect(m.btnSearchCOMPort, &CwButton::valueChanged, this,
            &PortSearch::btnSearchCOMPort_ValueChanged);
    connect(m.btnSelectCOMPort, &CwButton::valueChanged, this,
            &PortSearch::btnSelectCOMPort_ValueChanged);
    connect(m.mnuFcom, &QAction::triggered, this, &PortSearch::mnuFcom_Click);
}

bool PortSearch::eventFilter(QObject* watched, QEvent* event)
{
    // Focus moving between the box and its own line edit is not leaving the list.
    if (event->type() == QEvent::FocusOut && !m.COMCombo->hasFocus())
        COMCombo_LostFocus();
    return HandlerGroup::eventFilter(watched, event);
}

void PortSearch::COMCombo_LostFocus()
{
    QComboBox& combo = *m.COMCombo;
    // Text that is no number keeps the selection in force; a number outside the list is taken
    // to its nearest end, so the port stays within 1 to 256.
    const int position = ComListPositionFor(combo.currentText()).value_or(combo.currentIndex());
    if (position < 0)
        return;
    combo.setCurrentIndex(position); // runs COMCombo_Click on a change
    combo.setEditText(combo.itemText(position));
    m.CWSerial1.PortNumber(position + 1);
}

void PortSearch::Image2_DblClick()
{
    if (m.sysDetectOS.platformCode() != PlatformNT)
        return;
    m.btnSearchCOMPort->setVisible(true);
    m.Label4->setVisible(false);
}

bool PortSearch::platformAllowsSearch()
{
    switch (m.sysDetectOS.platformCode()) {
    case PlatformUnidentified:
        m.dialogs.MsgBox(QStringLiteral("Are you running Windows 2000,\nWindows XP or later?"),
                         MsgButtons::YesNo, MsgIcon::None,
                         QStringLiteral("Unidentified Operating System."));
        return true;
    case PlatformWin9x:
        m.dialogs.MsgBox(QStringLiteral("COM Prot Dection is not avaliable in this version."),
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
        PortFromSerialComm(QueryValue(m.registry, SerialCommKey, SerialCommValue));
    if (!port)
        return;
    m.global.COMPortNumber = static_cast<float>(*port);
    const QString number = QString::number(*port);
    m.lblSearchPort->setText(QStringLiteral("Oscilloscope USB interface found on COM Port ") +
                             number + QLatin1Char('.'));
    m.btnSelectCOMPort->setVisible(true);
    m.btnSelectCOMPort->setOnText(QStringLiteral("Select COM Port ") + number);
    m.btnSelectCOMPort->setOffText(QStringLiteral("Select COM Port ") + number);
}

void PortSearch::btnSearchCOMPort_ValueChanged(bool value)
{
    if (value && platformAllowsSearch())
        searchRegistry();
}

void PortSearch::btnSelectCOMPort_ValueChanged(bool)
{
    const int port = static_cast<int>(m.global.COMPortNumber);
    // Only a port that a search found can be selected.
    if (port < 1 || port > PortCount)
        return;
    m.COMCombo->setEditText(QString::number(port));
    m.COMCombo->setCurrentIndex(port - 1); // runs COMCombo_Click on a change
    m.CWSerial1.PortNumber(port);
    if (m.identification)
        m.identification->CheckHardware();
    m.lblSearchPort->setText(QString());
    m.btnSelectCOMPort->setOnText(QString());
    m.btnSelectCOMPort->setOffText(QString());
}

void PortSearch::mnuFcom_Click()
{
    m.CWButton18->setValue(true);
    m.CWButton18->setValue(false);
}

} // namespace kv
