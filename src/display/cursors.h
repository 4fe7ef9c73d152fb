#pragma once

// Cursors A and B of the graph: their read-outs (times, voltages, deltas, frequency), their
// style (horizontal, vertical, paired bars or off), snap or float, placement by a click in the
// plot area, and their colours.

#include "app/handler_group.h"
#include "display/cursor_readout.h"
#include "platform/variant.h"

#include <optional>
#include <string>
#include <string_view>

namespace kv {

class CwButton;

class Cursors : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit Cursors(Main& main);

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
};

} // namespace kv
