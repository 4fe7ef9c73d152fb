#include "panel/trigger_level.h"

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/default_pointer.h"
#include "controls/picture_box.h"
#include "controls/timer_ticks.h"
#include "display/rules/value_format.h"
#include "panel/volts_div.h"
#include "platform/rules/runtime_rules.h"
#include "platform/services.h"
#include "state/channel_fields.h"
#include "state/colours.h"
#include "state/names.h"

#include <QLabel>
#include <utility>

namespace kv {

namespace {

using names::PointerVCH1;
using names::PointerVCH2;
constexpr int ExtIndicatorColor = colour::Green;
constexpr QLatin1String TrigCursor = names::CursorT;

// The nested pointer handler re-runs TrigLevel; the recomputed pointer settles at once, so a
// deeper nesting only happens through rounding and is cut short.
constexpr int MaxNesting = 4;

} // namespace

TriggerLevel::TriggerLevel(ScopeState& state, const Controls& controls)
    : state_(state), ui(controls)
{
    connect(ui.CWSlide3, &CwSlide::mouseDown, this, [this] { CWSlide3_MouseDown(); });
    connect(ui.CWSlide3, &CwSlide::mouseMove, this, [this] { CWSlide3_MouseMove(); });
    connect(ui.CWSlide3, &CwSlide::mouseUp, this, [this] { CWSlide3_MouseUp(); });
    connect(ui.CWSlide3, &CwSlide::pointerValueChanged, this,
            [this] { CWSlide3_PointerValueChanged(); });
    connect(ui.CWSlide4, &CwSlide::mouseDown, this, [this] { CWSlide4_MouseDown(); });
    connect(ui.CWSlide4, &CwSlide::mouseMove, this, [this] { CWSlide4_MouseMove(); });
    connect(ui.CWSlide4, &CwSlide::mouseUp, this, [this] { CWSlide4_MouseUp(); });
    connect(ui.CWSlide4, &CwSlide::pointerValueChanged, this,
            [this](int pointer, double) { CWSlide4_PointerValueChanged(pointer); });
    connectTick(ui.TriggerTimer, this, [this] { TriggerTimer_Timer(); });
}

void TriggerLevel::TrigLevelOffset()
{
    ScopeState& s = state_;
    const int source = ui.CWSlide5->position();
    if (source == 1 || source == 2)
        setTriggerChannel(s, source);
    // The channel whose trigger is on; the slide must show that channel's source.
    const int c = s.TrigOnCH1 ? 1 : s.TrigOnCH2 ? 2 : 0;
    if (c == 0 || source != c)
        return;
    const auto ch = channelState(s, c);
    const double v = ui.CWSlide4->pointerValue(names::channelPointer(c));
    ch.VPos = roundToInt16(v).value_or(ch.VPos);
    ch.TrigPointer = float(ui.CWSlide3->pointerValue(c) + 200.0);
    ch.TrigOffset = float((v + 200.0) - ch.TrigPointer);
    ui.CWGraph1->setCursorY(TrigCursor, ui.CWSlide3->pointerValue(c));
}

void TriggerLevel::TrigLevel()
{
    if (nesting_ >= MaxNesting)
        return;
    ++nesting_;
    ScopeState& s = state_;
    const double v1 = ui.CWSlide4->pointerValue(PointerVCH1);
    const double v2 = ui.CWSlide4->pointerValue(PointerVCH2);
    s.VPosCH1 = roundToInt16(v1).value_or(s.VPosCH1);
    s.VPosCH2 = roundToInt16(v2).value_or(s.VPosCH2);
    for (const auto& [c, v] : {std::pair{1, v1}, std::pair{2, v2}}) {
        const auto ch = channelState(s, c);
        if (ch.TrigOn)
            ui.CWSlide3->setPointerValue(c, v - ch.TrigOffset);
    }

    const int source = ui.CWSlide5->position();
    bool show = true;
    if (source == 2 && s.TrigOnCH2)
        show = computeChannel(2);
    else if (source == 1 && s.TrigOnCH1)
        show = computeChannel(1);
    if (show)
        showLevel(source);
    --nesting_;
}

bool TriggerLevel::computeChannel(int c)
{
    ScopeState& s = state_;
    const auto ch = channelState(s, c);
    const double zero = ui.CWSlide4->pointerValue(names::channelPointer(c));
    const auto result =
        computeTrigLevel(truncateToPosition(ch.VdivIndex), zero, ui.CWSlide3->pointerValue(c));
    if (!result)
        return true; // no level for an unknown range: show the stored one
    ch.TrigLevel = Variant(result->level);
    if (!result->volts) {
        ui.lblTrg->setText(QStringLiteral("----"));
        return false;
    }
    s.TrigLevelVolts = *result->volts;
    return true;
}

void TriggerLevel::showLevel(int source)
{
    ScopeState& s = state_;
    if (source == 3) {
        ui.CWButton21->setOffText(QStringLiteral("EXT"));
        ui.CWButton21->setOffColor(ExtIndicatorColor);
        ui.lblTrg->setText(QString::fromStdString(s.TrigSourceText));
        showEdge(true);
        return;
    }
    if (const auto text = Format_Voltage(Variant(roundHalfEven(s.TrigLevelVolts, 2))))
        s.FormatResult = Variant(*text);
    ui.lblTrg->setText(QString::fromStdString(s.FormatResult.toText()));
    showEdge(s.TrigEdgeText == "Rising");
    showSourceIndicator();
}

void TriggerLevel::showSourceIndicator()
{
    const std::string& text = state_.TrigSourceText;
    CwButton* button = text == "CH1" ? ui.CH1Button : text == "CH2" ? ui.CH2Button : nullptr;
    if (!button)
        return;
    ui.CWButton21->setOffText(QString::fromStdString(text));
    ui.CWButton21->setTextColor(button->textColor());
    ui.CWButton21->setOffColor(button->offColor());
}

void TriggerLevel::showEdge(bool rising)
{
    ui.ImgRiseing->setVisible(rising);
    ui.ImgFalling->setVisible(!rising);
}

void TriggerLevel::HideTrigCursor()
{
    ui.CWGraph1->setCursorVisible(TrigCursor, false);
}

void TriggerLevel::CWSlide3_MouseDown()
{
    ui.TriggerTimer->setEnabled(false);
    ui.CWGraph1->setCursorVisible(TrigCursor, true);
}

void TriggerLevel::CWSlide3_MouseMove()
{
    restoreDefaultPointer(*ui.window);
}

void TriggerLevel::CWSlide3_MouseUp()
{
    ui.TriggerTimer->setEnabled(true);
    state_.AwaitingFrame = false;
}

void TriggerLevel::CWSlide3_PointerValueChanged()
{
    TrigLevelOffset();
    TrigLevel();
}

void TriggerLevel::CWSlide4_MouseDown()
{
    HideTrigCursor();
    ui.TriggerTimer->setEnabled(false);
}

void TriggerLevel::CWSlide4_MouseMove()
{
    restoreDefaultPointer(*ui.window);
}

void TriggerLevel::CWSlide4_MouseUp()
{
    ui.TriggerTimer->setEnabled(true);
}

void TriggerLevel::CWSlide4_PointerValueChanged(int pointer)
{
    if (pointer == PointerVCH1)
        setTriggerChannel(state_, 1);
    else if (pointer == PointerVCH2)
        setTriggerChannel(state_, 2);
    TrigLevel();
}

void TriggerLevel::TriggerTimer_Timer()
{
    HideTrigCursor();
    ui.TriggerTimer->setEnabled(false);
}

} // namespace kv
