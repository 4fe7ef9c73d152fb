#include "panel/trigger_source.h"

#include "app/main_window.h"
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

void ApplyChannelSource(Main& m, int channel)
{
    ScopeState& s = m.state;
    s.TrigSourceText = channel == 1 ? "CH1" : "CH2";
    m.CWButton12->setEnabled(true);
    m.CWSlide3->setVisible(true);
    m.Label19->setEnabled(true);
    m.Label20->setEnabled(true);
    s.TrigSlopeBits = s.TrigSlopeSaved;
    s.ExtTrigBit = 0;
    s.TrigSourceBits = channel == 1 ? "00" : "01";
}

void ShowTriggerPointer(Main& m, int channel)
{
    m.CWSlide3->setPointerVisible(channel, true);
    m.CWSlide3->setPointerVisible(3 - channel, false);
    m.CWGraph1->setCursorColor(TrigCursor, m.CWGraph1->plotColor(names::channelPlot(channel)));
}

void ApplyExternalSource(Main& m)
{
    ScopeState& s = m.state;
    if (m.triggerLevel)
        m.triggerLevel->HideTrigCursor();
    s.TrigSourceText = "TTL";
    m.CWButton12->setEnabled(false);
    m.Label20->setEnabled(false);
    m.CWSlide3->setVisible(false);
    s.TrigSlopeBits = "00";
    s.ExtTrigBit = 1;
    // The frame builder leaves byte 1 as it is while the source is external.
    s.HeaderBytes[1] = "0";
}

TriggerSource::TriggerSource(Main& main) : HandlerGroup(main)
{
    connect(m.CWSlide5, &CwSlide::pointerValueChanged, this,
            [this] { CWSlide5_PointerValueChanged(); });
    connect(m.CWButton12, &CwButton::valueChanged, this,
            [this](bool v) { CWButton12_ValueChanged(v); });
    connect(m.CWButton13, &CwButton::valueChanged, this,
            [this](bool v) { CWButton13_ValueChanged(v); });
    connect(m.mnuTSCh1, &QAction::triggered, this, [this] { mnuTSCh1_Click(); });
    connect(m.mnuTSCh2, &QAction::triggered, this, [this] { mnuTSCh2_Click(); });
    connect(m.mnuTSExt, &QAction::triggered, this, [this] { mnuTSExt_Click(); });
    connect(m.mnuTRising, &QAction::triggered, this, [this] { mnuTRising_Click(); });
    connect(m.mnuTFalling, &QAction::triggered, this, [this] { mnuTFalling_Click(); });
    connect(m.mnuTAuto, &QAction::triggered, this, [this] { mnuTAuto_Click(); });
    connect(m.mnuTNormal, &QAction::triggered, this, [this] { mnuTNormal_Click(); });
}

void TriggerSource::CWSlide5_PointerValueChanged()
{
    m.state.AwaitingFrame = false;
    const int position = m.CWSlide5->position();
    if (position == 1 || position == 2)
        selectChannel(position);
    else if (position == 3)
        selectExternal();
    if (m.triggerLevel) {
        m.triggerLevel->TrigLevelOffset();
        m.triggerLevel->TrigLevel();
    }
}

void TriggerSource::checkSource(int position)
{
    m.mnuTSCh1->setChecked(position == 1);
    m.mnuTSCh2->setChecked(position == 2);
    m.mnuTSExt->setChecked(position == 3);
}

void TriggerSource::selectChannel(int channel)
{
    ScopeState& s = m.state;
    checkSource(channel);
    ApplyChannelSource(m, channel);
    ShowTriggerPointer(m, channel);
    m.CWGraph1->setCursorVisible(TrigCursor, true);
    m.TriggerTimer->setEnabled(true);
    if (channel == 2)
        s.TrigSlopeSaved = s.TrigSlopeBits;
}

void TriggerSource::selectExternal()
{
    checkSource(3);
    ApplyExternalSource(m);
}

void TriggerSource::CWButton12_ValueChanged(bool value)
{
    ScopeState& s = m.state;
    m.mnuTRising->setChecked(value);
    m.mnuTFalling->setChecked(!value);
    s.TrigSlopeSaved = value ? "11" : "00";
    s.TrigEdgeText = value ? "Rising" : "Falling";
    // The external input takes no edge: an edge chosen meanwhile is kept for the channels.
    if (m.CWSlide5->position() != 3)
        s.TrigSlopeBits = s.TrigSlopeSaved;
    if (m.triggerLevel)
        m.triggerLevel->TrigLevel();
}

void TriggerSource::CWButton13_ValueChanged(bool value)
{
    m.mnuTNormal->setChecked(!value);
    m.mnuTAuto->setChecked(value);
    m.state.AwaitingFrame = false;
    m.state.TrigModeBit = value ? "1" : "0";
}

void TriggerSource::setSourcePosition(int position)
{
    m.state.AwaitingFrame = false;
    m.CWSlide5->setPosition(position);
}

void TriggerSource::setEdge(bool rising)
{
    m.state.AwaitingFrame = false;
    m.CWButton12->setValue(rising);
}

void TriggerSource::setMode(bool autoMode)
{
    m.state.AwaitingFrame = false;
    m.CWButton13->setValue(autoMode);
}

} // namespace kv
