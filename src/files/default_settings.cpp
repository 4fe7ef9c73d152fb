#include "files/default_settings.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "panel/menu_marks.h"
#include "panel/trigger_level.h"
#include "platform/serial_control.h"
#include "platform/services.h"
#include "state/colours.h"
#include "state/names.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>

namespace kv {

namespace {

} // namespace

DefaultSettings::DefaultSettings(Main& main) : HandlerGroup(main)
{
    connect(m.CWButton27, &CwButton::valueChanged, this,
            [this](bool v) { CWButton27_ValueChanged(v); });
    connect(m.mnuFDefault, &QAction::triggered, this, [this] { mnuFDefault_Click(); });
}

void DefaultSettings::mnuFDefault_Click()
{
    m.CWButton27->setValue(true);
    m.CWButton27->setValue(false);
    m.CheckCOM->setEnabled(true);
}

void DefaultSettings::CWButton27_ValueChanged(bool value)
{
    if (!value)
        return;
    m.Options->setVisible(false);
    const MsgResult answer = m.dialogs.MsgBox(
        QStringLiteral("Are you sure you want to load default settings?\rThis will erase all "
                       "unsaved settings, including \rcalibration settings!"),
        MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Load Default Settings?"));
    if (answer != MsgResult::Yes) {
        m.CWButton27->setValue(false);
        return;
    }
    attenuatorsOff();
    m.state.CalOffsetCH1Lo = Variant(0);
    m.state.CalOffsetCH1Hi = Variant(0);
    m.state.CalOffsetCH2Lo = Variant(0);
    m.state.CalOffsetCH2Hi = Variant(0);
    m.CWButton1->setValue(false);
    triggerDefaults();
    m.CWButton4->setValue(false);
    channelDefaults();
    viewDefaults();
    triggerDisplay();
    m.PeriodVAL->setText(QStringLiteral("5V"));
    m.PeriodVAL2->setText(QStringLiteral("100mV"));
    if (m.triggerLevel) {
        m.triggerLevel->TrigLevelOffset();
        m.triggerLevel->TrigLevel();
    }
    m.CWKnob1->setEnabled(false);
    m.CWKnob1->setPosition(1);
    m.CWKnob2->setPosition(1);
    hideChannels();
    askComPort();
    m.CH1Button->setValue(true);
    m.CH1Button->setValue(false);
    m.mnuPOPCFloat->setChecked(true);
    m.mnuPOPCSnap->setChecked(false);
    if (m.menuMarks)
        m.menuMarks->MenuSync();
    cursorColours();
    m.CWGraph1->setAxisMinMax(CwGraph::axisIndex(QStringLiteral("XAxis")), 500, 1000);
    const int y = CwGraph::axisIndex(QStringLiteral("YAxis-1"));
    m.CWGraph1->setAxisMaximum(y, 200);
    m.CWGraph1->setAxisMinimum(y, -200);
    m.CWKnob1->setEnabled(true);
    m.state.IsZoomed = false;
    m.CWSlide6->setPointerVisible(1, true);
    m.CWSlide6->setEnabled(true);
    m.CWButton27->setValue(false);
}

void DefaultSettings::attenuatorsOff()
{
    for (CwButton* led : {m.LEDATT1, m.LEDATT1b, m.LEDATT2, m.LEDATT2b})
        led->setOffColor(colour::DarkGreen);
    m.global.ATTOnCH1 = false;
    m.global.ATTFactorCH1 = 1.0f;
    m.global.ATTOnCH2 = false;
    m.global.ATTFactorCH2 = 1.0f;
    m.Frame2->setTitle(QStringLiteral("30 Volt Attenuation"));
    m.state.ATTValueCH1 = 1.5f;
    m.CH1ATT->setOnText(QStringLiteral("CH1 Attenuation"));
    m.CH1ATT->setOffText(QStringLiteral("CH1 Attenuation"));
    m.state.ATTValueCH2 = 1.5f;
    m.CH2ATT->setOnText(QStringLiteral("CH2 Attenuation"));
    m.CH2ATT->setOffText(QStringLiteral("CH2 Attenuation"));
}

void DefaultSettings::triggerDefaults()
{
    ScopeState& s = m.state;
    s.TrigSourceBits = "00";
    m.CWSlide5->setPosition(1);
    s.TrigSlopeBits = "11";
    s.TrigEdgeText = "Rising";
    s.TrigSourceText = "CH1";
    s.TrigSlopeSaved = s.TrigSlopeBits;
    m.CWButton12->setValue(true);
    m.CWButton13->setValue(true);
    s.TrigLevelCH1 = Variant(127);
    s.TrigLevelCH2 = Variant(127);
}

void DefaultSettings::channelDefaults()
{
    ScopeState& s = m.state;
    s.CH1RangeBit = "1";
    s.CH2RangeBit = "1";
    s.VdivIndexCH1 = Variant(6);
    s.VdivIndexCH2 = Variant(6);
    for (Variant* v : {&s.VdivCH1, &s.VdivCH2, &s.VdivOldCH1, &s.VdivOldCH2})
        *v = Variant(5);
    s.CH1EnableBits = "0001";
    s.CH2EnableBits = "0000";
    m.CH1Button->setValue(false);
    m.CH2Button->setValue(false);
    s.FastChannelBits = "00";
    s.FramePlotted = true;
}

void DefaultSettings::viewDefaults()
{
    ScopeState& s = m.state;
    s.XAxisMax = Variant(1000);
    s.XAxisMin = Variant(500);
    s.XAxisMax2 = Variant(1750);
    s.XAxisMin2 = Variant(1250);
    m.CWSlide2->setPosition(2);
    m.global.ActiveChannel = Variant(0);
    m.CWKnob2->setPosition(1);
    s.TimebaseCode = "00010";
    s.VdivIndex = Variant(1);
    s.PlotScaleCH1 = 19.5;
    s.PlotScaleCH2 = 19.5;
    m.CWSlide4->setPointerValue(1, 0);
    m.CWSlide4->setPointerValue(2, 0);
    m.CWSlide3->setPointerValue(1, 0);
    m.CWSlide3->setPointerValue(2, 0);
    m.CWSlide6->setPointerValue(1, 750);
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
    m.CWButton12->setEnabled(true);
    m.CWSlide3->setVisible(true);
    m.Label19->setEnabled(true);
    m.Label20->setEnabled(true);
    m.CWSlide3->setPointerVisible(1, true);
    m.CWSlide3->setPointerVisible(2, false);
    constexpr QLatin1String T = names::CursorT;
    m.CWGraph1->setCursorColor(T, m.CWGraph1->plotColor(m.CWGraph1->plotName(1)));
    m.CWGraph1->setCursorVisible(T, false);
    m.TriggerTimer->setEnabled(true);
}

void DefaultSettings::hideChannels()
{
    for (QWidget* w : std::initializer_list<QWidget*>{m.CWButton22, m.CWButton25, m.PeriodVAL,
                                                      m.PeriodVAL2, m.CHDISP})
        w->setVisible(false);
    m.CWGraph1->setPlotVisible(names::PCH1, false);
    m.CWGraph1->setPlotVisible(names::PCH2, false);
    m.LED1->setValue(false);
    m.LED2->setValue(false);
}

void DefaultSettings::askComPort()
{
    const MsgResult answer = m.dialogs.MsgBox(
        QStringLiteral("Do you want to revert to the default COM port settings?\r\rChoosing Yes "
                       "will change the COM port setting to port 10.\rChoosing No will keep the "
                       "current setting."),
        MsgButtons::YesNo, MsgIcon::Question, QStringLiteral("Reset COM Port?"));
    if (answer == MsgResult::Yes)
        m.COMCombo->setCurrentIndex(9);
    if (m.COMCombo->currentIndex() >= 0)
        m.CWSerial1.PortNumber(m.COMCombo->currentIndex() + 1);
}

void DefaultSettings::cursorColours()
{
    for (CwButton* b : {m.CWButton5, m.CWButton24, m.btnAPOS})
        b->setOffColor(colour::Red);
    m.CWGraph1->setCursorColor(names::CursorA, m.CWButton24->offColor());
    for (CwButton* b : {m.CWButton6, m.CWButton23, m.btnBPOS})
        b->setOffColor(colour::Blue);
    m.CWGraph1->setCursorColor(names::CursorB, m.CWButton23->offColor());
}

} // namespace kv
