// The display and spectrum groups: trace view calls the cursors; no other calls another group.
#include "app/main_window.h"
#include "display/cursors.h"
#include "display/read_outs.h"
#include "display/trace_view.h"
#include "spectrum/spectrum_launcher.h"

namespace kv {

void Main::createDisplayGroups()
{
    readOuts = addGroup<ReadOuts>(state, global, dialogs,
                                  ReadOuts::Controls{.CWGraph1 = CWGraph1,
                                                     .CWKnob2 = CWKnob2,
                                                     .TimeVal = TimeVal,
                                                     .lblMIN = lblMIN,
                                                     .lblMAX = lblMAX,
                                                     .lblP2P = lblP2P,
                                                     .lblRMS = lblRMS,
                                                     .lblMnn = lblMnn,
                                                     .lblPrd = lblPrd,
                                                     .lblFrq = lblFrq,
                                                     .Min1 = Min1,
                                                     .Max1 = Max1,
                                                     .P2P1 = P2P1,
                                                     .RMS1 = RMS1,
                                                     .Mean1 = Mean1,
                                                     .Prd1 = Prd1,
                                                     .Frq1 = Frq1,
                                                     .Min2 = Min2,
                                                     .Max2 = Max2,
                                                     .P2P2 = P2P2,
                                                     .RMS2 = RMS2,
                                                     .Mean2 = Mean2,
                                                     .Prd2 = Prd2,
                                                     .Frq2 = Frq2});

    cursors = addGroup<Cursors>(state, global, dialogs,
                                Cursors::Controls{.CWGraph1 = CWGraph1,
                                                  .GraphMode = GraphMode,
                                                  .CWSlide2 = CWSlide2,
                                                  .CWSlide7 = CWSlide7,
                                                  .CWSlide4 = CWSlide4,
                                                  .CWKnob2 = CWKnob2,
                                                  .CWKnob1 = CWKnob1,
                                                  .btnAPOS = btnAPOS,
                                                  .btnBPOS = btnBPOS,
                                                  .CWButton5 = CWButton5,
                                                  .CWButton6 = CWButton6,
                                                  .CWButton24 = CWButton24,
                                                  .CWButton23 = CWButton23,
                                                  .lblXpos = lblXpos,
                                                  .lblYPos = lblYPos,
                                                  .lblXPos2 = lblXPos2,
                                                  .lblYpos2 = lblYpos2,
                                                  .lblXDelta = lblXDelta,
                                                  .lblYDelta = lblYDelta,
                                                  .lblFRQMain = lblFRQMain,
                                                  .ImgINF = ImgINF,
                                                  .mnuPOPCursor = mnuPOPCursor,
                                                  .mnuPOPCHorizontal = mnuPOPCHorizontal,
                                                  .mnuPOPCVertical = mnuPOPCVertical,
                                                  .mnuPOPCPaired = mnuPOPCPaired,
                                                  .mnuPOPCoff = mnuPOPCoff,
                                                  .mnuPOPCSnap = mnuPOPCSnap,
                                                  .mnuPOPCFloat = mnuPOPCFloat});

    traceView = addGroup<TraceView>(state, programFolder,
                                    TraceView::Controls{.window = this,
                                                        .CWGraph1 = CWGraph1,
                                                        .CWSlide6 = CWSlide6,
                                                        .CWSlide7 = CWSlide7,
                                                        .CWSlide2 = CWSlide2,
                                                        .GraphMode = GraphMode,
                                                        .CWKnob1 = CWKnob1,
                                                        .btnAPOS = btnAPOS,
                                                        .btnBPOS = btnBPOS,
                                                        .Autoscale = Autoscale,
                                                        .ZoomOut = ZoomOut,
                                                        .LED1 = LED1,
                                                        .LED2 = LED2,
                                                        .PeriodVAL = PeriodVAL,
                                                        .PeriodVAL2 = PeriodVAL2,
                                                        .mnuPopup = mnuPopup,
                                                        .mnuZoom = mnuZoom,
                                                        .mnuPan = mnuPan,
                                                        .mnuZoomout = mnuZoomout,
                                                        .mnuReset = mnuReset},
                                    *cursors);

    spectrum = addGroup<SpectrumLauncher>(
        global, SpectrumLauncher::Controls{
                    .FFTbutton = FFTbutton,
                    .source = {.CWKnob2 = CWKnob2, .CWGraph1 = CWGraph1, .CWButton1 = CWButton1}});
}

} // namespace kv
