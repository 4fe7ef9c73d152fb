#include "panel/trigger_source.h"

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "panel/trigger_level.h"
#include "state/names.h"

#include <QAction>

namespace kv {

namespace {

constexpr QLatin1String TrigCursor = names::CursorT;

} // namespace

void TriggerSource::ApplyChannelSource(int channel)
{
    ScopeState& s = state_;
    s.TrigSourceText = channel == 1 ? "CH1" : "CH2";
    ui.CWButton12->setEnabled(true);
    ui.CWSlide3->setVisible(true);
    ui.Label19->setEnabled(true);
    ui.Label20->setEnabled(true);
    s.TrigSlopeBits = s.TrigSlopeSaved;
    s.ExtTrigBit = 0;
    s.TrigSourceBits = channel == 1 ? "00" : "01";
}

void TriggerSource::ShowTriggerPointer(int channel)
{
    ui.CWSlide3->setPointerVisible(channel, true);
    ui.CWSlide3->setPointerVisible(3 - channel, false);
    ui.CWGraph1->setCursorColor(TrigCursor, ui.CWGraph1->plotColor(names::channelPlot(channel)));
}

void TriggerSource::ApplyExternalSource()
{
    ScopeState& s = state_;
    triggerLevel_.HideTrigCursor();
    s.TrigSourceText = "TTL";
    ui.CWButton12->setEnabled(false);
    ui.Label20->setEnabled(false);
    ui.CWSlide3->setVisible(false);
    s.TrigSlopeBits = "00";
    s.ExtTrigBit = 1;
    // The frame builder leaves byte 1 as it is while the source is external.
    s.HeaderBytes[1] = "0";
}

TriggerSource::TriggerSource(ScopeState& state, const Controls& controls,
                             TriggerLevel& triggerLevel)
    : state_(state), ui(controls), triggerLevel_(triggerLevel)
{
    connect(ui.CWSlide5, &CwSlide::pointerValueChanged, this,
            [this] { CWSlide5_PointerValueChanged(); });
    connect(ui.CWButton12, &CwButton::valueChanged, this,
            [this](bool v) { CWButton12_ValueChanged(v); });
    connect(ui.CWButton13, &CwButton::valueChanged, this,
            [this](bool v) { CWButton13_ValueChanged(v); });
    connect(ui.mnuTSCh1, &QAction::triggered, this, [this] { mnuTSCh1_Click(); });
    connect(ui.mnuTSCh2, &QAction::triggered, this, [this] { mnuTSCh2_Click(); });
    connect(ui.mnuTSExt, &QAction::triggered, this, [this] { mnuTSExt_Click(); });
    connect(ui.mnuTRising, &QAction::triggered, this, [this] { mnuTRising_Click(); });
    connect(ui.mnuTFalling, &QAction::triggered, this, [this] { mnuTFalling_Click(); });
    connect(ui.mnuTAuto, &QAction::triggered, this, [this] { mnuTAuto_Click(); });
    connect(ui.mnuTNormal, &QAction::triggered, this, [this] { mnuTNormal_Click(); });
}

void TriggerSource::CWSlide5_PointerValueChanged()
{
    state_.AwaitingFrame = false;
    const int position = ui.CWSlide5->position();
    if (position == 1 || position == 2)
        selectChannel(position);
    else if (position == 3)
        selectExternal();
    triggerLevel_.TrigLevelOffset();
    triggerLevel_.TrigLevel();
}

void TriggerSource::checkSource(int position)
{
    ui.mnuTSCh1->setChecked(position == 1);
    ui.mnuTSCh2->setChecked(position == 2);
    ui.mnuTSExt->setChecked(position == 3);
}

void TriggerSource::selectChannel(int channel)
{
    ScopeState& s = state_;
    checkSource(channel);
    ApplyChannelSource(channel);
    ShowTriggerPointer(channel);
    ui.CWGraph1->setCursorVisible(TrigCursor, true);
    ui.TriggerTimer->setEnabled(true);
    if (channel == 2)
        s.TrigSlopeSaved = s.TrigSlopeBits;
}

void TriggerSource::selectExternal()
{
    checkSource(3);
    ApplyExternalSource();
}

void TriggerSource::CWButton12_ValueChanged(bool value)
{
    ScopeState& s = state_;
    ui.mnuTRising->setChecked(value);
    ui.mnuTFalling->setChecked(!value);
    s.TrigSlopeSaved = value ? "11" : "00";
    s.TrigEdgeText = value ? "Rising" : "Falling";
    // The external input takes no edge: an edge chosen meanwhile is kept for the channels.
    if (ui.CWSlide5->position() != 3)
        s.TrigSlopeBits = s.TrigSlopeSaved;
    triggerLevel_.TrigLevel();
}

void TriggerSource::CWButton13_ValueChanged(bool value)
{
    ui.mnuTNormal->setChecked(!value);
    ui.mnuTAuto->setChecked(value);
    state_.AwaitingFrame = false;
    state_.TrigModeBit = value ? "1" : "0";
}

void TriggerSource::setSourcePosition(int position)
{
    state_.AwaitingFrame = false;
    ui.CWSlide5->setPosition(position);
}

void TriggerSource::setEdge(bool rising)
{
    state_.AwaitingFrame = false;
    ui.CWButton12->setValue(rising);
}

void TriggerSource::setMode(bool autoMode)
{
    state_.AwaitingFrame = false;
    ui.CWButton13->setValue(autoMode);
}

} // namespace kv
