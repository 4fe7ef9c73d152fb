#pragma once

#include "app/handler_group.h"
#include "panel/trigger_level_math.h"

#include <optional>

namespace kv {

// Trigger level and vertical position: the trigger-level slide CWSlide3, the vertical-position
// slide CWSlide4, cursor "T" and the one-shot TriggerTimer that hides it.
class TriggerLevel : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit TriggerLevel(Main& main);

    // Recomputes the vertical positions, the followed trigger pointer, the trigger level of the
    // source channel and its display.
    void TrigLevel();
    // Ties the trigger pointer to the source channel, stores its offset, moves cursor "T".
    void TrigLevelOffset();
    void HideTrigCursor();

    void CWSlide3_MouseDown();
    void CWSlide3_MouseMove();
    void CWSlide3_MouseUp();
    void CWSlide3_PointerValueChanged();
    void CWSlide4_MouseDown();
    void CWSlide4_MouseMove();
    void CWSlide4_MouseUp();
    void CWSlide4_PointerValueChanged(int pointer);
    void TriggerTimer_Timer();

  private:
    // Computes the level of channel c into the state; false when it is clipped ("----").
    bool computeChannel(int c);
    void showLevel(int source);
    void showSourceIndicator();
    void showEdge(bool rising);

    int nesting_ = 0;
};

} // namespace kv
