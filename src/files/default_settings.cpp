#include "files/default_settings.h"

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "panel/menu_marks.h"
#include "panel/trigger_level.h"
#include "platform/rules/serial_control.h"
#include "platform/services.h"
#include "state/colours.h"
#include "state/names.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace kv {

DefaultSettings::DefaultSettings(ScopeState& state, GlobalV& global, const Controls& controls,
                                 Dialogs& dialogs, SerialControl& serial,
                                 TriggerLevel& triggerLevel, MenuMarks& menuMarks)
    : state_(state), global_(global), ui(controls), dialogs_(dialogs), serial_(serial),
      triggerLevel_(triggerLevel), menuMarks_(menuMarks)
{
    connect(ui.CWButton27, &CwButton::valueChanged, this,
            [this](bool v) { CWButton27_ValueChanged(v); });
    connect(ui.mnuFDefault, &QAction::triggered, this, [this] { mnuFDefault_Click(); });
}

void DefaultSettings::mnuFDefault_Click()
{
    ui.CWButton27->setValue(true);
    ui.CWButton27->setValue(false);
    ui.CheckCOM->setEnabled(true);
}

void DefaultSettings::CWButton27_ValueChanged(bool value)
{
    if (!value)
        return;
    ui.Options->setVisible(false);
    const MsgResult answer = dialogs_.MsgBox(
        QStringLiteral("Are you sure you want to load default settings?\rThis will erase all "
                       "unsaved settings, including \rcalibration settings!"),
        MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Load Default Settings?"));
    if (answer != MsgResult::Yes) {
        ui.CWButton27->setValue(false);
        return;
    }
    attenuatorsOff();
    state_.CalOffsetCH1Lo = Variant(0);
    state_.CalOffsetCH1Hi = Variant(0);
    state_.CalOffsetCH2Lo = Variant(0);
    state_.CalOffsetCH2Hi = Variant(0);
    ui.CWButton1->setValue(false);
    triggerDefaults();
    ui.CWButton4->setValue(false);
    channelDefaults();
    viewDefaults();
    triggerDisplay();
    ui.PeriodVAL->setText(QStringLiteral("5V"));
    // Both channels are at 5 V/div now: a caption names the range in force.
    ui.PeriodVAL2->setText(QStringLiteral("5V"));
    triggerLevel_.TrigLevelOffset();
    triggerLevel_.TrigLevel();
    ui.CWKnob1->setEnabled(false);
    ui.CWKnob1->setPosition(1);
    ui.CWKnob2->setPosition(1);
    hideChannels();
    askComPort();
    ui.CH1Button->setValue(true);
    ui.CH1Button->setValue(false);
    ui.mnuPOPCFloat->setChecked(true);
    ui.mnuPOPCSnap->setChecked(false);
    menuMarks_.MenuSync();
    cursorColours();
    ui.CWGraph1->setAxisMinMax(CwGraph::axisIndex(QStringLiteral("XAxis")), 500, 1000);
    const int y = CwGraph::axisIndex(QStringLiteral("YAxis-1"));
    ui.CWGraph1->setAxisMaximum(y, 200);
    ui.CWGraph1->setAxisMinimum(y, -200);
    ui.CWKnob1->setEnabled(true);
    state_.IsZoomed = false;
    ui.CWSlide6->setPointerVisible(1, true);
    ui.CWSlide6->setEnabled(true);
    ui.CWButton27->setValue(false);
}

void DefaultSettings::attenuatorsOff()
{
    const AttenuationControls& att = ui.attenuation;
    for (CwButton* led : {att.LEDATT1, att.LEDATT1b, att.LEDATT2, att.LEDATT2b})
        led->setOffColor(colour::DarkGreen);
    global_.ATTOnCH1 = false;
    global_.ATTFactorCH1 = 1.0f;
    global_.ATTOnCH2 = false;
    global_.ATTFactorCH2 = 1.0f;
    att.Frame2->setTitle(QStringLiteral("30 Volt Attenuation"));
    state_.ATTValueCH1 = 1.5f;
    att.CH1ATT->setOnText(QStringLiteral("CH1 Attenuation"));
    att.CH1ATT->setOffText(QStringLiteral("CH1 Attenuation"));
    state_.ATTValueCH2 = 1.5f;
    att.CH2ATT->setOnText(QStringLiteral("CH2 Attenuation"));
    att.CH2ATT->setOffText(QStringLiteral("CH2 Attenuation"));
}

void DefaultSettings::triggerDefaults()
{
    ScopeState& s = state_;
    s.TrigSourceBits = "00";
    ui.CWSlide5->setPosition(1);
    s.TrigSlopeBits = "11";
    s.TrigEdgeText = "Rising";
    s.TrigSourceText = "CH1";
    s.TrigSlopeSaved = s.TrigSlopeBits;
    ui.CWButton12->setValue(true);
    ui.CWButton13->setValue(true);
    s.TrigLevelCH1 = Variant(127);
    s.TrigLevelCH2 = Variant(127);
}

void DefaultSettings::channelDefaults()
{
    ScopeState& s = state_;
    s.CH1RangeBit = "1";
    s.CH2RangeBit = "1";
    s.VdivIndexCH1 = Variant(6);
    s.VdivIndexCH2 = Variant(6);
    for (Variant* v : {&s.VdivCH1, &s.VdivCH2, &s.VdivOldCH1, &s.VdivOldCH2})
        *v = Variant(5);
    s.CH1EnableBits = "0001";
    s.CH2EnableBits = "0000";
    ui.CH1Button->setValue(false);
    ui.CH2Button->setValue(false);
    s.FastChannelBits = "00";
    s.FramePlotted = true;
}

void DefaultSettings::viewDefaults()
{
    ScopeState& s = state_;
    s.XAxisMax = Variant(1000);
    s.XAxisMin = Variant(500);
    s.XAxisMax2 = Variant(1750);
    s.XAxisMin2 = Variant(1250);
    ui.CWSlide2->setPosition(2);
    global_.ActiveChannel = Variant(0);
    ui.CWKnob2->setPosition(1);
    s.TimebaseCode = "00010";
    s.VdivIndex = Variant(1);
    s.PlotScaleCH1 = 19.5;
    s.PlotScaleCH2 = 19.5;
    ui.CWSlide4->setPointerValue(1, 0);
    ui.CWSlide4->setPointerValue(2, 0);
    ui.CWSlide3->setPointerValue(1, 0);
    ui.CWSlide3->setPointerValue(2, 0);
    ui.CWSlide6->setPointerValue(1, 750);
    // Not the bytes of start-up; the next change of the timebase or the trigger position
    // recomputes them.
    s.TrigPosByte1 = Variant(255);
    s.TrigPosByte2 = Variant(100);
    s.TrigPosByte3 = Variant(239);
    s.TrigPosByte4 = Variant(3);
    s.HTrigPosition = Variant(2);
    s.GainLo = 1.0f;
    s.GainHi = 1.0f;
    s.GainLoRev2 = 1.0f;
    s.GainHiRev2 = 1.0229079723358154f;
}

void DefaultSettings::triggerDisplay()
{
    ui.CWButton12->setEnabled(true);
    ui.CWSlide3->setVisible(true);
    ui.Label19->setEnabled(true);
    ui.Label20->setEnabled(true);
    ui.CWSlide3->setPointerVisible(1, true);
    ui.CWSlide3->setPointerVisible(2, false);
    constexpr QLatin1String T = names::CursorT;
    ui.CWGraph1->setCursorColor(T, ui.CWGraph1->plotColor(ui.CWGraph1->plotName(1)));
    ui.CWGraph1->setCursorVisible(T, false);
    ui.TriggerTimer->setEnabled(true);
}

void DefaultSettings::hideChannels()
{
    for (QWidget* w : std::initializer_list<QWidget*>{ui.CWButton22, ui.CWButton25, ui.PeriodVAL,
                                                      ui.PeriodVAL2, ui.CHDISP})
        w->setVisible(false);
    ui.CWGraph1->setPlotVisible(names::PCH1, false);
    ui.CWGraph1->setPlotVisible(names::PCH2, false);
    ui.LED1->setValue(false);
    ui.LED2->setValue(false);
}

void DefaultSettings::askComPort()
{
    const MsgResult answer = dialogs_.MsgBox(
        QStringLiteral("Do you want to revert to the default COM port settings?\r\rChoosing Yes "
                       "will change the COM port setting to port 10.\rChoosing No will keep the "
                       "current setting."),
        MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Reset COM Port?"));
    if (answer == MsgResult::Yes)
        ui.COMCombo->setCurrentIndex(9);
    if (ui.COMCombo->currentIndex() >= 0)
        serial_.PortNumber(ui.COMCombo->currentIndex() + 1);
}

void DefaultSettings::cursorColours()
{
    for (CwButton* b : {ui.CWButton5, ui.CWButton24, ui.btnAPOS})
        b->setOffColor(colour::Red);
    ui.CWGraph1->setCursorColor(names::CursorA, ui.CWButton24->offColor());
    for (CwButton* b : {ui.CWButton6, ui.CWButton23, ui.btnBPOS})
        b->setOffColor(colour::Blue);
    ui.CWGraph1->setCursorColor(names::CursorB, ui.CWButton23->offColor());
}

} // namespace kv
