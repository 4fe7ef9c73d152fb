#include "panel/channels.h"

#include "controls/cw_button.h"
#include "controls/cw_color.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/picture_box.h"
#include "display/cursors.h"
#include "display/read_outs.h"
#include "panel/trigger_source.h"
#include "panel/volts_div.h"
#include "platform/rules/runtime_rules.h"
#include "state/channel_fields.h"
#include "state/colours.h"
#include "state/names.h"

#include <QAction>
#include <QLabel>
#include <QPalette>

namespace kv {

Channels::Channels(ScopeState& state, GlobalV& global, const Controls& controls, ReadOuts& readOuts,
                   Cursors& cursors, TriggerSource& triggerSource)
    : state_(state), global_(global), ui(controls), readOuts_(readOuts), cursors_(cursors),
      triggerSource_(triggerSource)
{
    connect(ui.CH1Button, &CwButton::valueChanged, this,
            [this](bool v) { CH1Button_ValueChanged(v); });
    connect(ui.CH2Button, &CwButton::valueChanged, this,
            [this](bool v) { CH2Button_ValueChanged(v); });
    connect(ui.CWButton8, &CwButton::valueChanged, this,
            [this](bool v) { CWButton8_ValueChanged(v); });
    connect(ui.mnuC1, &QAction::triggered, this, [this] { mnuC1_Click(); });
    connect(ui.mnuC2, &QAction::triggered, this, [this] { mnuC2_Click(); });
    connect(ui.mnuCO, &QAction::triggered, this, [this] { mnuCO_Click(); });
}

Channels::Channel Channels::channel(int number) const
{
    if (number == 1)
        return {1,           ui.CH1Button, ui.LED1,       ui.CWButton22,         ui.PeriodVAL,
                names::PCH1, colour::Blue, colour::White, QStringLiteral("CH1"), ui.mnuC1};
    return {2,           ui.CH2Button, ui.LED2,       ui.CWButton25,         ui.PeriodVAL2,
            names::PCH2, colour::Red,  colour::Black, QStringLiteral("CH2"), ui.mnuC2};
}

// ---- Selecting a channel -------------------------------------------------------------------

void Channels::selectChannel(int number, bool value)
{
    const Channel ch = channel(number);
    ui.CWKnob2->setEnabled(true);
    if (value)
        selectOn(ch, channel(3 - number));
    readOuts_.UpdateForTimebase();
    if (state_.IsZoomed && ui.CWGraph1->plotVisible(ch.plot))
        ch.caption->setText(QStringLiteral("Zoomed"));
    if (ui.Autoscale->value()) {
        ui.CWKnob1->setEnabled(false);
        if (ui.CWGraph1->plotVisible(ch.plot))
            ch.caption->setText(QStringLiteral("Autoscale"));
        markAutoscale();
    }
    // A momentary push button: releasing it runs this handler once more with the value off.
    ch.button->setValue(false);
}

void Channels::selectOn(const Channel& ch, const Channel& other)
{
    ScopeState& s = state_;
    const int active = truncateToPosition(global_.ActiveChannel);
    if (active > 4) {
        if (other.led->value())
            other.led->setOnColor(LedOnNotSelected);
        if (ui.LED5->value())
            ui.LED5->setOnColor(LedOnNotSelected);
    }
    ui.CHDISP->setVisible(true);
    ch.indicator->setVisible(true);
    ch.indicator->setOffColor(ch.color);
    ch.caption->setVisible(true);
    ui.CWKnob1->setEnabled(true);
    channelState(s, ch.number).EnableBits = "0001";
    ui.CWGraph1->setPlotLineWidth(ch.plot, 2);
    ui.CWGraph1->setPlotLineWidth(other.plot, 1);
    if (active == other.number)
        other.led->setOnColor(LedOnNotSelected);
    ch.led->setOnColor(LedSelected);
    ch.led->setValue(true);
    ui.CWGraph1->setPlotVisible(ch.plot, true);
    ui.CWSlide4->setPointerVisible(ui.CWSlide4->pointerIndex(names::VCH1), true);
    ui.CWSlide4->setPointerVisible(ui.CWSlide4->pointerIndex(names::VCH2), true);
    ui.CWSlide4->setPointerVisible(ui.CWSlide4->pointerIndex(names::VREF1), false);
    setKnobPointerColor(ch.color);
    setChdisp(ch);
    global_.ActiveChannel = Variant(ch.number);
    ch.menu->setChecked(true);
    cursors_.Cursor();
    ui.CWKnob1->setPosition(truncateToPosition(channelState(s, ch.number).VdivIndex));
    updatePlotScale(ch);
}

void Channels::updatePlotScale(const Channel& ch)
{
    const ChannelState state = channelState(state_, ch.number);
    const auto setting = voltsDivSetting(truncateToPosition(state.VdivIndex));
    // The knob's value: the volts per division of the position it now shows.
    const auto knob = voltsDivSetting(ui.CWKnob1->position());
    if (setting && knob)
        state.PlotScale = plotScale(setting->fullScale, knob->voltsPerDiv);
}

void Channels::markAutoscale()
{
    if (ui.LED1->value())
        ui.PeriodVAL->setText(QStringLiteral("Autoscale"));
    if (ui.LED2->value())
        ui.PeriodVAL2->setText(QStringLiteral("Autoscale"));
}

// ---- Switching off -----------------------------------------------------------------------------

void Channels::CWButton8_ValueChanged(bool value)
{
    if (value) {
        switch (truncateToPosition(global_.ActiveChannel)) {
        case 1:
            switchOffChannel1();
            break;
        case 2:
            switchOffChannel2();
            break;
        case ReferenceChannel:
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
    state_.CH1EnableBits = "0000";
    ui.LED1->setValue(false);
    setChdisp(channel(2));
    setKnobPointerColor(colour::Red);
    ui.mnuC1->setChecked(false);
    handOverSelection(1);
    ui.CWGraph1->setPlotVisible(names::PCH1, false);
    ui.CWKnob1->setPosition(truncateToPosition(state_.VdivIndexCH2));
    ui.CWGraph1->setPlotLineWidth(names::PCH2, 2);
    if (ui.CWKnob2->position() == 1)
        handOverTrigger(2);
    ui.CWButton22->setVisible(false);
    ui.PeriodVAL->setVisible(false);
}

void Channels::switchOffChannel2()
{
    state_.CH2EnableBits = "0000";
    ui.LED2->setValue(false);
    setKnobPointerColor(colour::Blue);
    setChdisp(channel(1));
    handOverSelection(2);
    ui.mnuC2->setChecked(false);
    ui.CWGraph1->setPlotVisible(names::PCH2, false);
    ui.CWGraph1->setPlotLineWidth(names::PCH1, 2);
    if (ui.CWKnob2->position() == 1)
        handOverTrigger(1);
    ui.CWButton25->setVisible(false);
    ui.PeriodVAL2->setVisible(false);
    ui.CWKnob1->setPosition(truncateToPosition(state_.VdivIndexCH1));
}

void Channels::switchOffReference()
{
    ui.CWKnob1->setEnabled(true);
    ui.LED5->setValue(false);
    handOverSelection(ReferenceChannel);
    ui.CWGraph1->setPlotVisible(names::PREF1, false);
    ui.lblVREF->setVisible(false);
    ui.lblHREF->setVisible(false);
}

void Channels::handOverSelection(int switchedOff)
{
    const int next =
        nextSelection(switchedOff, ui.LED1->value(), ui.LED2->value(), ui.LED5->value());
    if (next == switchedOff)
        return;
    global_.ActiveChannel = Variant(next);
    // The indicator names the trace that is now selected.
    if (next == ReferenceChannel) {
        ui.CWKnob2->setEnabled(false);
        ui.CWKnob1->setEnabled(false);
        ui.LED5->setOnColor(LedSelected);
        setChdispReference();
    } else {
        ui.CWKnob2->setEnabled(true);
        channel(next).led->setOnColor(LedSelected);
        setChdisp(channel(next));
    }
}

void Channels::setChdisp(const Channel& ch)
{
    ui.CHDISP->setOffColor(ch.color);
    ui.CHDISP->setTextColor(ch.chdispTextColor);
    ui.CHDISP->setOffText(ch.name);
}

void Channels::setChdispReference()
{
    ui.CHDISP->setOffColor(colour::MediumGreen);
    ui.CHDISP->setTextColor(
        bgrFromColor(ui.CHDISP->window()->palette().color(QPalette::WindowText)));
    ui.CHDISP->setOffText(QStringLiteral("REF"));
}

void Channels::setKnobPointerColor(int bgr)
{
    ui.CWKnob1->setPointerColor(1, bgr);
    ui.CWKnob2->setPointerColor(1, bgr);
}

// At 1 MS/s only the shown channel is captured: the trigger goes with it.
void Channels::handOverTrigger(int c)
{
    ScopeState& s = state_;
    const Channel ch = channel(c);
    ui.CWSlide5->setPosition(c);
    ui.CWButton21->setOffText(ch.name);
    ui.CWButton21->setTextColor(ch.button->textColor());
    ui.CWButton21->setOffColor(ch.button->offColor());
    triggerSource_.ApplyChannelSource(c);
    triggerSource_.ShowTriggerPointer(c);
    setTriggerChannel(s, c);
}

void Channels::finishSwitchOff()
{
    ScopeState& s = state_;
    if (s.CH1EnableBits == "0000" && s.CH2EnableBits == "0000") {
        ui.CWKnob1->setEnabled(false);
        ui.CWKnob1->setPosition(1);
        ui.CHDISP->setVisible(false);
    }
    if (s.IsZoomed) {
        ui.CWKnob1->setEnabled(false);
        if (ui.CWGraph1->plotVisible(names::PCH1))
            ui.PeriodVAL->setText(QStringLiteral("Zoomed"));
        if (ui.CWGraph1->plotVisible(names::PCH2))
            ui.PeriodVAL2->setText(QStringLiteral("Zoomed"));
    }
    if (ui.Autoscale->value()) {
        ui.CWKnob1->setEnabled(false);
        markAutoscale();
    }
}

// ---- Channel menu ------------------------------------------------------------------------------

void Channels::press(CwButton* button)
{
    button->setValue(true);
    button->setValue(false);
}

void Channels::mnuC1_Click()
{
    press(ui.CH1Button);
}

void Channels::mnuC2_Click()
{
    press(ui.CH2Button);
}

void Channels::mnuCO_Click()
{
    press(ui.CWButton8);
}

} // namespace kv
