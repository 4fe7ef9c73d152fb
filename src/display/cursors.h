#pragma once

// Cursors A and B of the graph: their read-outs (times, voltages, deltas, frequency), their
// style (horizontal, vertical, paired bars or off), snap or float, placement by a click in the
// plot area, and their colours.

#include "controls/control_classes.h"
#include "display/layer.h"
#include "display/rules/cursor_readout.h"
#include "platform/rules/variant.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QObject>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

class Dialogs;

class Cursors : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        CwGraph* CWGraph1;    // cursors "A" and "B"
        CwSlide* GraphMode;   // the cursor style, 4 positions
        CwSlide* CWSlide2;    // snap or float
        CwSlide* CWSlide7;    // the mouse action, read and set to cursors
        CwSlide* CWSlide4;    // the channels' zero lines, read only
        CwKnob* CWKnob2;      // time/div, read only
        CwKnob* CWKnob1;      // volts/div, enabled with the style
        CwButton* btnAPOS;    // arms a click placing cursor A
        CwButton* btnBPOS;    // arms a click placing cursor B
        CwButton* CWButton5;  // cursor A colour
        CwButton* CWButton6;  // cursor B colour
        CwButton* CWButton24; // cursor A colour swatch
        CwButton* CWButton23; // cursor B colour swatch
        QLabel* lblXpos;
        QLabel* lblYPos;
        QLabel* lblXPos2;
        QLabel* lblYpos2;
        QLabel* lblXDelta;
        QLabel* lblYDelta;
        QLabel* lblFRQMain;
        PictureBox* ImgINF;  // shown for an infinite frequency
        QMenu* mnuPOPCursor; // aboutToShow is its click
        QAction* mnuPOPCHorizontal;
        QAction* mnuPOPCVertical;
        QAction* mnuPOPCPaired;
        QAction* mnuPOPCoff;
        QAction* mnuPOPCSnap;
        QAction* mnuPOPCFloat;
    };

    Cursors(ScopeState& state, const GlobalV& global, Dialogs& dialogs, const Controls& controls);

    // Cursor read-outs from the positions of cursors A and B.
    void Cursor();
    // Sets cursors and read-out labels up for the cursor style of GraphMode.
    void CursorMode();

    void GraphMode_PointerValueChanged(int pointer, double value);
    void CWSlide2_PointerValueChanged(int pointer, double value);
    void btnAPOS_ValueChanged(bool value);
    void btnBPOS_ValueChanged(bool value);
    void CWGraph1_PlotAreaMouseDown(int button, int shift, double x, double y);
    void CWgraph1_CursorChange(const QString& name, double x, double y);
    void CWButton5_ValueChanged(bool value);
    void CWButton6_ValueChanged(bool value);
    void mnuPOPCursor_Click();
    void mnuPOPCHorizontal_Click();
    void mnuPOPCVertical_Click();
    void mnuPOPCPaired_Click();
    void mnuPOPCoff_Click();
    void mnuPOPCSnap_Click();
    void mnuPOPCFloat_Click();

  private:
    void applyCursorStyle(int style);
    void setCursorModeFor(int style);
    void showFrequencyByDelta();
    void chooseColor(const QString& cursor, CwButton* colorButton, CwButton* swatch,
                     CwButton* placeButton);
    void selectStyleFromMenu(int graphModePosition);
    int graphModeValue() const;

    ScopeState& state_;
    const GlobalV& global_;
    Dialogs& dialogs_;
    const Controls ui;
};

} // namespace kv
