#pragma once

#include "app/handler_group.h"
#include "panel/time_div_setting.h"
#include "state/timebase_table.h"

#include <array>
#include <optional>
#include <string_view>

class QAction;

namespace kv {

// The fourteen Horizontal menu items in knob order (50 us first).
std::array<QAction*, TimeDivPositions> horizontalMenuItems(const Main& m);

// Time/div knob CWKnob2 and the Horizontal menu: timebase code, menu marks, sample period, cursor
// read-outs and the horizontal trigger presets for the new timebase.
class TimeDiv : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit TimeDiv(Main& main);

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
};

} // namespace kv
