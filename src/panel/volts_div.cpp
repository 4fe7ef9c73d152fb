#include "panel/volts_div.h"

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "display/read_outs.h"
#include "panel/menu_marks.h"
#include "panel/trigger_level.h"
#include "platform/rules/runtime_rules.h"
#include "state/channel_fields.h"
#include "state/names.h"

#include <QAction>
#include <QLabel>
#include <cmath>

namespace kv {

std::array<QAction*, 6> verticalMenuItems(const VoltsDiv::Controls& c, int channel)
{
    if (channel == 1)
        return {c.mnuVCH1100mv, c.mnuVCH1200mV, c.mnuVCH1500mV,
                c.mnuVch11V,    c.mnuVch12V,    c.mnuVCH15V};
    return {c.mnuVch2100mV, c.mnuVch2200mV, c.mnuVch2500mV, c.mnuVch21V, c.mnuVch22V, c.mnuVch25V};
}

// The fields and controls of the channel the knob acts on.
struct VoltsDiv::Channel
{
    int number;
    ChannelState state;
    QLabel* caption;
};

VoltsDiv::VoltsDiv(ScopeState& state, GlobalV& global, const Controls& controls, ReadOuts& readOuts,
                   TriggerLevel& triggerLevel)
    : state_(state), global_(global), ui(controls), readOuts_(readOuts), triggerLevel_(triggerLevel)
{
    connect(ui.CWKnob1, &CwKnob::pointerValueChanged, this,
            [this](int, double) { CWKnob1_PointerValueChanged(); });
    const std::array<void (VoltsDiv::*)(), 12> handlers{
        &VoltsDiv::mnuVCH1100mv_Click, &VoltsDiv::mnuVCH1200mV_Click, &VoltsDiv::mnuVCH1500mV_Click,
        &VoltsDiv::mnuVch11V_Click,    &VoltsDiv::mnuVch12V_Click,    &VoltsDiv::mnuVCH15V_Click,
        &VoltsDiv::mnuVch2100mV_Click, &VoltsDiv::mnuVch2200mV_Click, &VoltsDiv::mnuVch2500mV_Click,
        &VoltsDiv::mnuVch21V_Click,    &VoltsDiv::mnuVch22V_Click,    &VoltsDiv::mnuVch25V_Click};
    for (int ch = 1; ch <= 2; ++ch) {
        const auto items = verticalMenuItems(ui, ch);
        for (std::size_t i = 0; i < items.size(); ++i)
            connect(items[i], &QAction::triggered, this, handlers[std::size_t(ch - 1) * 6 + i]);
    }
}

VoltsDiv::Channel VoltsDiv::channel(int number) const
{
    const ChannelState state = channelState(state_, number);
    return {state.number, state, state.number == 1 ? ui.PeriodVAL : ui.PeriodVAL2};
}

void VoltsDiv::CWKnob1_PointerValueChanged()
{
    ScopeState& s = state_;
    ui.TriggerTimer->setEnabled(true);
    s.VdivOldCH1 = s.VdivCH1;
    s.VdivOldCH2 = s.VdivCH2;
    if (s.CH1EnableBits == "0000" && s.CH2EnableBits == "0000")
        return;

    const int p = ui.CWKnob1->position();
    const Variant& active = global_.ActiveChannel;
    const bool acts = active == Variant(1) || active == Variant(2);
    const Channel ch = channel(active == Variant(2) ? 2 : 1);
    if (acts) {
        rescaleTrigger(ch, p);
        applyPosition(ch, p);
    }
    s.VdivIndex = p;
    if (acts)
        updatePlotScale(ch);
    readOuts_.UpdateForTimebase();
    triggerLevel_.TrigLevel();
    markZoomed();
}

void VoltsDiv::rescaleTrigger(const Channel& ch, int position)
{
    if (const auto setting = voltsDivSetting(position))
        ch.state.Vdiv = setting->voltsPerDiv;
    const double vpos = ui.CWSlide4->pointerValue(ch.number);
    const double trig = ui.CWSlide3->pointerValue(ch.number);
    ui.CWSlide3->setPointerValue(
        ch.number,
        rescaledTriggerPointer(vpos, trig, ch.state.VdivOld.toNumber(), ch.state.Vdiv.toNumber()));
}

void VoltsDiv::applyPosition(const Channel& ch, int position)
{
    const auto setting = voltsDivSetting(position);
    if (!setting)
        return;
    ch.state.VdivIndex = position;
    ch.state.RangeBit = setting->rangeBit;
    ch.caption->setText(QString::fromLatin1(setting->label));
    checkOnly(verticalMenuItems(ui, ch.number), position - 1);
}

void VoltsDiv::updatePlotScale(const Channel& ch)
{
    // The range comes from the channel's stored index, the volts per division from the knob.
    const double index = ch.state.VdivIndex.toNumber();
    const auto stored =
        index == std::floor(index) ? voltsDivSetting(truncateToPosition(index)) : std::nullopt;
    const auto knob = voltsDivSetting(ui.CWKnob1->position());
    if (!stored || !knob)
        return;
    ch.state.PlotScale = plotScale(stored->fullScale, knob->voltsPerDiv);
}

void VoltsDiv::markZoomed()
{
    if (!state_.IsZoomed)
        return;
    if (ui.CWGraph1->plotVisible(names::PCH1))
        ui.PeriodVAL->setText(QStringLiteral("Zoomed"));
    if (ui.CWGraph1->plotVisible(names::PCH2))
        ui.PeriodVAL2->setText(QStringLiteral("Zoomed"));
}

void VoltsDiv::selectFromMenu(int channelNumber, int position)
{
    CwButton* button = channelNumber == 1 ? ui.CH1Button : ui.CH2Button;
    button->setValue(true);
    ui.CWKnob1->setPosition(position);
    button->setValue(false);
}

} // namespace kv
