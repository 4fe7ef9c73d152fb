#include "panel/channels.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/picture_box.h"
#include "display/cursors.h"
#include "display/read_outs.h"
#include "panel/trigger_source.h"
#include "panel/volts_div.h"
#include "platform/runtime_rules.h"
#include "state/channel_fields.h"
#include "state/colours.h"
#include "state/names.h"

#include <QAction>
#include <QLabel>

namespace kv {

namespace {

constexpr int Reference = 5;

} // namespace

Channels::Channels(Main& main) : HandlerGroup(main)
{
    connect(m.CH1Button, &CwButton::valueChanged, this,
            [this](bool v) { CH1Button_ValueChanged(v); });
    connect(m.CH2Button, &CwButton::valueChanged, this,
            [this](bool v) { CH2Button_ValueChanged(v); });
    connect(m.CWButton8, &CwButton::valueChanged, this,
            [this](bool v) { CWButton8_ValueChanged(v); });
    connect(m.mnuC1, &QAction::triggered, this, [this] { mnuC1_Click(); });
    connect(m.mnuC2, &QAction::triggered, this, [this] { mnuC2_Click(); });
    connect(m.mnuCO, &QAction::triggered, this, [this] { mnuCO_Click(); });
}

Channels::Channel Channels::channel(int number) const
{
    if (number == 1)
        return {1,           m.CH1Button,  m.LED1,        m.CWButton22,          m.PeriodVAL,
                names::PCH1, colour::Blue, colour::White, QStringLiteral("CH1"), m.mnuC1};
    return {2,           m.CH2Button, m.LED2,        m.CWButton25,          m.PeriodVAL2,
            names::PCH2, colour::Red, colour::Black, QStringLiteral("CH2"), m.mnuC2};
}

// ---- Selecting a channel -------------------------------------------------------------------

void Channels::selectChannel(int number, bool value)
{
    const Channel ch = channel(number);
    m.CWKnob2->setEnabled(true);
    if (value)
        selectOn(ch, channel(3 - number));
    if (m.readOuts)
        m.readOuts->UpdateForTimebase();
    if (m.state.IsZoomed && m.CWGraph1->plotVisible(ch.plot))
        ch.caption->setText(QStringLiteral("Zoomed"));
    if (m.Autoscale->value()) {
        m.CWKnob1->setEnabled(false);
        if (m.CWGraph1->plotVisible(ch.plot))
            ch.caption->setText(QStringLiteral("Autoscale"));
        markAutoscale();
    }
    // A momentary push button: releasing it runs this handler once more with the value off.
    ch.button->setValue(false);
}

void Channels::selectOn(const Channel& ch, const Channel& other)
{
    ScopeState& s = m.state;
    const int active = truncateToPosition(m.global.ActiveChannel);
    if (active > 4) {
        if (other.led->value())
            other.led->setOnColor(LedOnNotSelected);
        if (m.LED5->value())
            m.LED5->setOnColor(LedOnNotSelected);
    }
    m.CHDISP->setVisible(true);
    ch.indicator->setVisible(true);
    ch.indicator->setOffColor(ch.color);
    ch.caption->setVisible(true);
    m.CWKnob1->setEnabled(true);
    channelState(s, ch.number).EnableBits = "0001";
    m.CWGraph1->setPlotLineWidth(ch.plot, 2);
    m.CWGraph1->setPlotLineWidth(other.plot, 1);
    if (active == other.number)
        other.led->setOnColor(LedOnNotSelected);
    ch.led->setOnColor(LedSelected);
    ch.led->setValue(true);
    m.CWGraph1->setPlotVisible(ch.plot, true);
    m.CWSlide4->setPointerVisible(m.CWSlide4->pointerIndex(names::VCH1), true);
    m.CWSlide4->setPointerVisible(m.CWSlide4->pointerIndex(names::VCH2), true);
    m.CWSlide4->setPointerVisible(m.CWSlide4->pointerIndex(names::VREF1), false);
    setKnobPointerColor(ch.color);
    setChdisp(ch);
    m.global.ActiveChannel = Variant(ch.number);
    ch.menu->setChecked(true);
    if (m.cursors)
        m.cursors->Cursor();
    m.CWKnob1->setPosition(truncateToPosition(channelState(s, ch.number).VdivIndex));
    updatePlotScale(ch);
}

void Channels::updatePlotScale(const Channel& ch)
{
    const ChannelState state = channelState(m.state, ch.number);
    const auto setting = voltsDivSetting(truncateToPosition(state.VdivIndex));
    // The knob's value: the volts per division of the position it now shows.
    const auto knob = voltsDivSetting(m.CWKnob1->position());
    if (setting && knob)
        state.PlotScale = plotScale(setting->fullScale, knob->voltsPerDiv);
}

void Channels::markAutoscale()
{
    if (m.LED1->value())
        m.PeriodVAL->setText(QStringLiteral("Autoscale"));
    if (m.LED2->value())
        m.PeriodVAL2->setText(QStringLiteral("Autoscale"));
}

// ---- Switching off -----------------------------------------------------------------------------

void Channels::CWButton8_ValueChanged(bool value)
{
    if (value) {
        switch (truncateToPosition(m.global.ActiveChannel)) {
        case 1:
            switchOffChannel1();
            break;
        case 2:
            switchOffChannel2();
            break;
        case Reference:
            switchOffReference();
            break;
        default:
            break;
        }
    }
    finishSwitchOff();
}

void Channels::switchOffChannel1()
{
    m.state.CH1EnableBits = "0000";
    m.LED1->setValue(false);
    setChdisp(channel(2));
    setKnobPointerColor(colour::Red);
    m.mnuC1->setChecked(false);
    handOverSelection(1);
    m.CWGraph1->setPlotVisible(names::PCH1, false);
    m.CWKnob1->setPosition(truncateToPosition(m.state.VdivIndexCH2));
    m.CWGraph1->setPlotLineWidth(names::PCH2, 2);
    if (m.CWKnob2->position() == 1)
        handOverTrigger(2);
    m.CWButton22->setVisible(false);
    m.PeriodVAL->setVisible(false);
}

void Channels::switchOffChannel2()
{
    m.state.CH2EnableBits = "0000";
    m.LED2->setValue(false);
    setKnobPointerColor(colour::Blue);
    handOverSelection(2);
    m.mnuC2->setChecked(false);
    m.CWGraph1->setPlotVisible(names::PCH2, false);
    setChdisp(channel(1));
    m.CWGraph1->setPlotLineWidth(names::PCH1, 2);
    if (m.CWKnob2->position() == 1)
        handOverTrigger(1);
    m.CWButton25->setVisible(false);
    m.PeriodVAL2->setVisible(false);
    m.CWKnob1->setPosition(truncateToPosition(m.state.VdivIndexCH1));
}

void Channels::switchOffReference()
{
    m.CWKnob1->setEnabled(true);
    m.LED5->setValue(false);
    handOverSelection(Reference);
    m.CWGraph1->setPlotVisible(names::PREF1, false);
    m.lblVREF->setVisible(false);
    m.lblHREF->setVisible(false);
}

void Channels::handOverSelection(int switchedOff)
{
    const int next = nextSelection(switchedOff, m.LED1->value(), m.LED2->value(), m.LED5->value());
    if (next == switchedOff)
        return;
    m.global.ActiveChannel = Variant(next);
    if (next == Reference) {
        m.CWKnob2->setEnabled(false);
        m.CWKnob1->setEnabled(false);
        m.LED5->setOnColor(LedSelected);
    } else {
        m.CWKnob2->setEnabled(true);
        channel(next).led->setOnColor(LedSelected);
    }
}

void Channels::setChdisp(const Channel& ch)
{
    m.CHDISP->setOffColor(ch.color);
    m.CHDISP->setTextColor(ch.chdispTextColor);
    m.CHDISP->setOffText(ch.name);
}

void Channels::setKnobPointerColor(int bgr)
{
    m.CWKnob1->setPointerColor(1, bgr);
    m.CWKnob2->setPointerColor(1, bgr);
}

// At 1 MS/s only the shown channel is captured: the trigger goes with it.
void Channels::handOverTrigger(int c)
{
    ScopeState& s = m.state;
    const Channel ch = channel(c);
    m.CWSlide5->setPosition(c);
    m.CWButton21->setOffText(ch.name);
    m.CWButton21->setTextColor(ch.button->textColor());
    m.CWButton21->setOffColor(ch.button->offColor());
    m.triggerSource->ApplyChannelSource(c);
    m.triggerSource->ShowTriggerPointer(c);
    setTriggerChannel(s, c);
}

void Channels::finishSwitchOff()
{
    ScopeState& s = m.state;
    if (s.CH1EnableBits == "0000" && s.CH2EnableBits == "0000") {
        m.CWKnob1->setEnabled(false);
        m.CWKnob1->setPosition(1);
        m.CHDISP->setVisible(false);
    }
    if (s.IsZoomed) {
        m.CWKnob1->setEnabled(false);
        if (m.CWGraph1->plotVisible(names::PCH1))
            m.PeriodVAL->setText(QStringLiteral("Zoomed"));
        if (m.CWGraph1->plotVisible(names::PCH2))
            m.PeriodVAL2->setText(QStringLiteral("Zoomed"));
    }
    if (m.Autoscale->value()) {
        m.CWKnob1->setEnabled(false);
        markAutoscale();
    }
}

// ---- Channel menu ------------------------------------------------------------------------------

void Channels::mnuC1_Click()
{
    m.CH1Button->setValue(true);
    m.CH1Button->setValue(false);
}

void Channels::mnuC2_Click()
{
    m.CH2Button->setValue(true);
    m.CH2Button->setValue(false);
}

void Channels::mnuCO_Click()
{
    m.CWButton8->setValue(true);
    m.CWButton8->setValue(false);
}

} // namespace kv
