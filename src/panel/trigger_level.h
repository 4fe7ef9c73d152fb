#pragma once

#include "controls/control_classes.h"
#include "panel/layer.h"
#include "panel/rules/trigger_level_math.h"
#include "state/scope_state.h"

#include <QObject>
#include <optional>

namespace kv {

// Trigger level and vertical position: the trigger-level slide CWSlide3, the vertical-position
// slide CWSlide4, cursor "T" and the one-shot TriggerTimer that hides it.
class TriggerLevel : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        QWidget* window; // its pointer shape is restored over the slides
        CwSlide* CWSlide3;
        CwSlide* CWSlide4;
        CwSlide* CWSlide5; // the trigger source, read only
        CwGraph* CWGraph1;
        CwTimer* TriggerTimer;
        QLabel* lblTrg;
        CwButton* CWButton21; // source indicator, in the source channel's colours
        CwButton* CH1Button;  // read for their colours
        CwButton* CH2Button;
        PictureBox* ImgRiseing;
        PictureBox* ImgFalling;
    };

    TriggerLevel(ScopeState& state, const Controls& controls);

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

    ScopeState& state_;
    const Controls ui;
    int nesting_ = 0;
};

} // namespace kv
