#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include <QString>

namespace kv {

// What the page is filled from: the main window's captions and control values.
struct PrintReadouts
{
    int cursorStyle = 0;     // GraphMode: 0 horizontal, 1 vertical, 2 paired, 3 off
    int timeDivPosition = 0; // CWKnob2, 1-based
    bool risingEdge = false; // CWButton12
    int triggerSource = 0;   // CWSlide5, 1-based
    QString lblXpos, lblXPos2, lblXDelta, lblFRQMain, lblYPos, lblYpos2, lblYDelta;
    QString lblTrg, TimeVal, PeriodVAL, PeriodVAL2;
    QString Max1, Min1, P2P1, RMS1, Mean1, Frq1, Prd1;
    QString Max2, Min2, P2P2, RMS2, Mean2, Frq2, Prd2;
};

// The captions of the page's labels.
struct PrintPageTexts
{
    QString lblcur1T, lblcur2t, lblcurDT, lblcurFreq, lblcur1V, lblcur2V, lblcurDV;
    QString lblTrg, lblAcq;
    QString lblCH1, lblVlt, lblRMS, lblFeq;
    QString lblCH2, lblVlt2, lblRMS2, lblFeq2;
};

// "50us / DIV" .. "1 s / DIV" for time/div positions 1 to 14; empty otherwise.
QString PrintTimeDivText(int position);
PrintPageTexts ComposePrintPage(const PrintReadouts& readouts);

// Read-outs of the widest texts each label of the page can be given: the longest captions,
// numbers and units of the read-outs, the paired cursors. The page's font sizes are chosen so
// that these fit.
PrintReadouts WidestPrintReadouts();

} // namespace kv
