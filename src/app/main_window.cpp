#include "app/main_window.h"

#include "app/menu_shortcuts.h"
#include "app/paint_throttle.h"
#include "app/splash_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "platform/rules/serial_control.h"
#include "platform/services.h"

#include <QComboBox>

namespace kv {

Main::Main(const MainServices& services, QWidget* parent)
    : QMainWindow(parent), CWSerial1(services.serial), dialogs(services.dialogs),
      shell(services.shell), registry(services.registry), sysDetectOS(services.systemInfo),
      printers(services.printers), programFolder(services.programFolder)
{
    setObjectName(QStringLiteral("Main"));
    setWindowTitle(QStringLiteral("Corvanth USB Oscilloscope - Digital Real Time Oscilloscope"));
    paintThrottle_ = new PaintThrottle(*this, 16);
    buildFace();
    markCommandButtons();
    buildTimers();
    buildMenus();
    new MenuShortcutPrecedence(*this, menuItems_);
    scaleFace();
    connect(COMCombo, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { COMCombo_Click(); });
    createGroups();
}

void Main::markCommandButtons()
{
    // Each starts a command and ends off after it, so that every press, key or menu item acts
    // once. The attenuator keys are commands too: each press toggles the attenuator, whose state
    // the LEDs show, so the key never looks lit or dark against them. The switches (edge, mode,
    // acquisition mode, power, Run/Stop, autoscale, cursor placement) keep their state.
    for (CwButton* b : {CH1Button,        CH2Button,    REF1Button, CWButton8,  FFTbutton,
                        CWButton29,       CWButton30,   ZoomOut,    CWButton5,  CWButton6,
                        CWButton15,       CWButton2,    CWButton17, CWButton19, CWButton18,
                        SaveREFCH1,       SaveREFCH2,   CWButton27, CWButton28, CWButton20,
                        btnSearchCOMPort, btnCalibrate, CWButton26, CH1ATT,     CH2ATT})
        b->setCommand(true);
}

Main::~Main()
{
    // No handler runs while the window comes apart: a control losing the focus as the window
    // hides (the COM port box commits its text then) would otherwise call into a destroyed Main.
    for (QObject* child : findChildren<QObject*>())
        disconnect(child, nullptr, this, nullptr);
    // Groups go first: they hold references to the controls.
    groups_.clear();
    if (splash_)
        delete splash_.data();
}

bool Main::modalOpen() const
{
    return ModalGuard::open();
}

void Main::repaintWindow()
{
    paintThrottle_->requestPaint();
}

void Main::paintWhileWaiting()
{
    paintThrottle_->paintIfDueWithin(4);
}

bool Main::IsLargeFonts() const
{
    return sysDetectOS.desktopTextHeight() != 16;
}

void Main::COMCombo_Click()
{
    const int index = COMCombo->currentIndex();
    if (index >= 0)
        CWSerial1.PortNumber(index + 1);
}

SplashWindow& Main::frmSplash()
{
    if (!splash_)
        splash_ = new SplashWindow(*this);
    return *splash_;
}

void Main::unloadSplash()
{
    SplashWindow* splash = splash_.data();
    splash_ = nullptr;
    if (splash) {
        splash->hide();
        splash->deleteLater();
    }
}

} // namespace kv
