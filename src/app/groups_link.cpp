// The link groups: the instrument's identification, port search, calibration and acquisition,
// with the window's receivers of what they show.
#include "app/main_window.h"
#include "app/record_display.h"
#include "app/splash_identity.h"
#include "link/acquisition.h"
#include "link/calibration.h"
#include "link/identification.h"
#include "link/port_search.h"

namespace kv {

void Main::createLinkGroups()
{
    auto* splashIdentity = addGroup<SplashIdentity>(*this);

    identification =
        addGroup<Identification>(state, global, CWSerial1, dialogs,
                                 Identification::Controls{.CheckCOM = CheckCOM,
                                                          .CWButton7 = CWButton7,
                                                          .CWButton1 = CWButton1,
                                                          .btnCalibrate = btnCalibrate},
                                 *splashIdentity);

    portSearch = addGroup<PortSearch>(global, CWSerial1, dialogs, registry, sysDetectOS,
                                      PortSearch::Controls{.COMCombo = COMCombo,
                                                           .Image2 = Image2,
                                                           .btnSearchCOMPort = btnSearchCOMPort,
                                                           .btnSelectCOMPort = btnSelectCOMPort,
                                                           .Label4 = Label4,
                                                           .lblSearchPort = lblSearchPort,
                                                           .mnuFcom = mnuFcom,
                                                           .CWButton18 = CWButton18},
                                      *identification);

    calibration = addGroup<Calibration>(state, global, CWSerial1, dialogs,
                                        Calibration::Controls{.btnCalibrate = btnCalibrate,
                                                              .mnuFcal = mnuFcal,
                                                              .CWButton1 = CWButton1,
                                                              .Options = Options,
                                                              .pgbNow = pgbNow,
                                                              .pgbMain = pgbMain,
                                                              .lblpgbNow = lblpgbNow,
                                                              .CWSlide5 = CWSlide5});

    auto* recordDisplay = addGroup<RecordDisplay>(
        state, global, RecordDisplay::Controls{.CWGraph1 = CWGraph1, .CWSlide2 = CWSlide2},
        *readOuts, *cursors, *spectrum,
        RecordDisplay::WindowPaint{.repaint = [this] { repaintWindow(); },
                                   .whileWaiting = [this] { paintWhileWaiting(); }});

    acquisition = addGroup<Acquisition>(state, global, CWSerial1,
                                        Acquisition::Controls{.CWButton1 = CWButton1,
                                                              .CWButton4 = CWButton4,
                                                              .CWKnob1 = CWKnob1,
                                                              .CWKnob2 = CWKnob2,
                                                              .CWSlide5 = CWSlide5,
                                                              .Timer1 = Timer1,
                                                              .labSetHTrg = labSetHTrg,
                                                              .Label15 = Label15,
                                                              .Label16 = Label16,
                                                              .mnuASingle = mnuASingle,
                                                              .mnuAContinuous = mnuAContinuous,
                                                              .mnuARunStop = mnuARunStop},
                                        *recordDisplay);
}

} // namespace kv
