#pragma once

#include "controls/control_classes.h"
#include "panel/layer.h"
#include "panel/rules/time_div_setting.h"
#include "state/global_v.h"
#include "state/scope_state.h"
#include "state/timebase_table.h"

#include <QObject>
#include <array>
#include <optional>
#include <string_view>

namespace kv {

class Cursors;
class HorizontalPosition;
class SerialControl;

// Time/div knob CWKnob2 and the Horizontal menu: timebase code, menu marks, sample period, cursor
// read-outs and the horizontal trigger presets for the new timebase.
class TimeDiv : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        CwKnob* CWKnob2;
        CwButton* CWButton1; // Run/Stop: the sample period follows the knob while it runs
        QAction* mnuH50us;
        QAction* mnuH100us;
        QAction* mnuH200us;
        QAction* mnuH500us;
        QAction* mnuH1ms;
        QAction* mnuH2ms;
        QAction* mnuH5ms;
        QAction* mnuH10ms;
        QAction* mnuH20ms;
        QAction* mnuH50ms;
        QAction* mnuH100ms;
        QAction* mnuH200ms;
        QAction* mnuH500ms;
        QAction* mnuH1s;
    };

    TimeDiv(ScopeState& state, GlobalV& global, SerialControl& serial, const Controls& controls,
            Cursors& cursors, HorizontalPosition& horizontalPosition);

    void CWKnob2_PointerValueChanged();

    void mnuH50us_Click() { select(1); }
    void mnuH100us_Click() { select(2); }
    void mnuH200us_Click() { select(3); }
    void mnuH500us_Click() { select(4); }
    void mnuH1ms_Click() { select(5); }
    void mnuH2ms_Click() { select(6); }
    void mnuH5ms_Click() { select(7); }
    void mnuH10ms_Click() { select(8); }
    void mnuH20ms_Click() { select(9); }
    void mnuH50ms_Click() { select(10); }
    void mnuH100ms_Click() { select(11); }
    void mnuH200ms_Click() { select(12); }
    void mnuH500ms_Click() { select(13); }
    void mnuH1s_Click() { select(14); }

  private:
    void select(int position);
    void updateSampleTime(int position);

    ScopeState& state_;
    GlobalV& global_;
    SerialControl& serial_;
    const Controls ui;
    Cursors& cursors_;
    HorizontalPosition& horizontalPosition_;
};

// The fourteen Horizontal menu items in knob order (50 us first).
std::array<QAction*, TimeDivPositions> horizontalMenuItems(const TimeDiv::Controls& controls);

} // namespace kv
