// Start-up: the main window's load handler.
#include "app/main_window.h"
#include "app/splash_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "controls/picture_file.h"
#include "files/settings_file.h"
#include "link/identification.h"
#include "link/rules/command_frame.h"
#include "panel/menu_marks.h"
#include "panel/trigger_level.h"
#include "platform/rules/serial_control.h"
#include "platform/services.h"
#include "state/channel_fields.h"
#include "state/colours.h"
#include "state/names.h"
#include "state/voltsdiv_range.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QSignalBlocker>
#include <exception>

namespace kv {

namespace {

// From its third step on, start-up skips a failing statement and goes on with the next.
template <class F> void skipOnFailure(F&& statement) noexcept
{
    try {
        statement();
    } catch (const std::exception&) {
    } catch (...) {
    }
}

} // namespace

void Main::loadSkin()
{
    const auto image = [this](const char* file) {
        // A file that is not a regular picture of a sensible size counts as missing.
        return ReadPictureFile(skinPath_ + QLatin1Char('/') + QLatin1String(file));
    };
    const auto picture = [&](PictureBox* box, const char* file) {
        skipOnFailure([&] {
            const QImage img = image(file);
            if (!img.isNull())
                box->setPicture(img);
        });
    };
    const auto slideImage = [&](const char* name, const char* file) {
        skipOnFailure([&] {
            const QImage img = image(file);
            if (!img.isNull())
                CWSlide6->setImage(QString::fromLatin1(name), img);
        });
    };
    // The first use of the splash window creates it (its load handler runs).
    picture(frmSplash().Picture1, "Splash_R7T.jpg");
    picture(qobject_cast<PictureBox*>(centralWidget()), "Main.jpg");
    picture(Picture4, "Display.jpg");
    picture(picCursor, "Cursors.jpg");
    picture(picFile, "FileTab.jpg");
    picture(picMeasure, "Measurements.jpg");
    picture(picTrigger, "Trigger.jpg");
    slideImage("Background", "SliderWindow.bmp");
    slideImage("Pointer-1", "Slider.bmp");
    slideImage("Trigger", "TriggerPointer.bmp");
}

void Main::fillComList()
{
    {
        // Appending selects the first entry by itself; only the selection below counts.
        const QSignalBlocker quiet(COMCombo);
        for (int port = 1; port <= 256; ++port)
            skipOnFailure([&] { COMCombo->addItem(QString::number(port)); });
        COMCombo->setCurrentIndex(-1);
    }
    skipOnFailure([&] { COMCombo->setCurrentIndex(9); });
}

void Main::Form_Load()
{
    // Timer handlers run only once start-up has returned to the event loop: showing the splash
    // window and the first-run question process events, and a link-watch tick there would
    // identify the instrument in the middle of start-up.
    const CwTimer::Hold timersWait;
    // 1.
    global.NoATTHardware = true;
    global.ShowHardwareCheck = true;
    global.ShowRefTip = true;
    state.MouseAction = "0";
    // 2.
    const QString skinFolder = IsLargeFonts() ? QStringLiteral("125P") : QStringLiteral("100P");
    skinPath_ = QDir(programFolder).filePath(QStringLiteral("Graphics/") + skinFolder);
    // 3. From here on every failing statement is skipped.
    const auto run = [](auto&& statement) { skipOnFailure(statement); };
    // 4.
    loadSkin();
    // 5.
    fillComList();
    // 6.
    run([&] { CWSerial1.PortSetup(); });
    // 7.
    run([&] { frmSplash().show(); });
    // 8.
    run([&] { SendData(CWSerial1, ResetCmd); });
    run([&] { CWSerial1.PortReset(); });
    run([&] { CWSerial1.PortSetup(); });
    run([&] { CWSerial1.FlushInput(); });
    // 9. Trigger defaults.
    state.TrigSourceBits = "00";
    run([&] { CWSlide5->setPosition(1); });
    state.TrigSlopeBits = "11";
    state.TrigEdgeText = "Rising";
    state.TrigSourceText = "CH1";
    run([&] { CWButton12->setValue(true); });
    state.TrigSlopeSaved = state.TrigSlopeBits;
    state.TrigModeBit = "1";
    run([&] { CWButton13->setValue(true); });
    state.TrigLevelCH1 = 127;
    state.TrigLevelCH2 = 127;
    run([&] { CWButton4->setValue(false); });
    // 10. Channel defaults.
    state.CH1RangeBit = "0";
    state.CH2RangeBit = "0";
    state.VdivIndexCH1 = 1;
    state.VdivCH1 = 0.1;
    state.VdivCH2 = 0.1;
    state.VdivOldCH1 = 0.1;
    state.VdivOldCH2 = 0.1;
    state.VdivIndexCH2 = 1;
    state.CH1EnableBits = "0000";
    state.CH2EnableBits = "0000";
    run([&] { CH1Button->setValue(false); });
    run([&] { CH2Button->setValue(false); });
    state.FastChannelBits = "00";
    state.FramePlotted = true;
    state.XAxisMax = 1000;
    state.XAxisMin = 500;
    state.XAxisMax2 = 1750;
    state.XAxisMin2 = 1250;
    // 11. Colours and views.
    const QString plot1 = CWGraph1->plotName(1), plot2 = CWGraph1->plotName(2);
    run([&] { CWGraph1->setPlotColor(plot1, colour::Blue); });
    run([&] { CH1Button->setOffColor(CWGraph1->plotColor(plot1)); });
    run([&] { CWGraph1->setPlotColor(plot2, colour::Red); });
    run([&] { CH2Button->setOffColor(CWGraph1->plotColor(plot2)); });
    run([&] { CWSlide2->setPosition(2); });
    state.CH1EnableBits = "0000";
    global.ActiveChannel = 0;
    run([&] { CWKnob2->setPosition(1); });
    state.TimebaseCode = "00010";
    state.VdivIndex = 1;
    run([&] { triggerLevel->TrigLevel(); });
    run([&] { CWButton3->setValue(true); });
    run([&] { CWKnob1->setEnabled(false); });
    state.VdivIndexCH1 = 1;
    state.VdivIndexCH2 = 1;
    state.PlotScaleCH1 = 19.53125;
    state.PlotScaleCH2 = 19.53125;
    global.ATTFactorCH1 = 1.0f;
    global.ATTFactorCH2 = 1.0f;
    state.GainLo = 1.0f;
    state.GainHi = 1.0f;
    state.GainLoRev2 = 1.0f;
    state.GainHiRev2 = 1.0229079723358154f;
    run([&] { CWSerial1.PortSetup(); });
    // 12. Graph cursors and labels.
    run([&] {
        for (QLatin1String name : {names::CursorA, names::CursorB, names::CursorT})
            CWGraph1->addCursor(name);
    });
    constexpr QLatin1String A = names::CursorA, B = names::CursorB, T = names::CursorT;
    run([&] { CWGraph1->setCursorCrosshairStyle(T, CwGraph::CrosshairHorizontal); });
    run([&] { CWGraph1->setCursorVisible(T, false); });
    run([&] { CWGraph1->setTrackMode(CwGraph::TrackDragCursors); });
    run([&] {
        for (QLatin1String c : {A, B}) {
            CWGraph1->setCursorSnapMode(c, CwGraph::SnapFloating);
            CWGraph1->setCursorVisible(c, false);
        }
    });
    run([&] { CWGraph1->setCursorColor(A, colour::Red); });
    run([&] {
        for (CwButton* b : {CWButton5, CWButton24, btnAPOS})
            b->setOffColor(colour::Red);
    });
    run([&] { CWGraph1->setCursorColor(B, colour::Blue); });
    run([&] {
        for (CwButton* b : {CWButton6, CWButton23, btnBPOS})
            b->setOffColor(colour::Blue);
    });
    run([&] { CWGraph1->setCursorColor(T, CWGraph1->plotColor(plot1)); });
    run([&] { CWGraph1->setPlotVisible(names::PCH1, false); });
    run([&] { CWGraph1->setPlotVisible(names::PCH2, false); });
    run([&] { PeriodVAL->setText(QStringLiteral("100mV")); });
    run([&] { PeriodVAL2->setText(QStringLiteral("100mV")); });
    state.TrigPosByte1 = 240;
    state.TrigPosByte2 = 5;
    state.TrigPosByte3 = 239;
    state.TrigPosByte4 = 3;
    state.HTrigPosition = 2;
    state.CalOffsetCH1Lo = 0;
    state.CalOffsetCH1Hi = 0;
    state.CalOffsetCH2Lo = 0;
    state.CalOffsetCH2Hi = 0;
    global.FirstRun = true;
    // 13. Settings, identification and gains.
    state.FilePath =
        QDir(autosaveFolder(programFolder)).filePath(QStringLiteral("R7S.ast")).toStdString();
    run([&] { settingsFile->FileRepExistsAST(QString::fromStdString(state.FilePath)); });
    run([&] { identification->CheckHardware(); });
    run([&] {
        const auto gainFor = [this](const Variant& index, float& gain) {
            const VoltsRange range = voltsRangeOf(index.toNumber());
            if (range == VoltsRange::Low)
                gain = global.ModelGainLo;
            else if (range == VoltsRange::High)
                gain = global.ModelGainHi;
        };
        for (int channel = 1; channel <= 2; ++channel)
            gainFor(channelState(state, channel).VdivIndex, channelShared(global, channel).Gain);
    });
    // 14. Popup cursor-action marks agree with the cursor-action slide.
    run([&] {
        const int position = CWSlide2->position();
        if (position == 1 || position == 2) {
            mnuPOPCSnap->setChecked(position == 1);
            mnuPOPCFloat->setChecked(position == 2);
        }
    });
    // 15.
    run([&] {
        if (global.FirstRun.toBoolean()) {
            Options->setVisible(true);
            CheckCOM->setEnabled(true);
        }
    });
    // 16.
    run([&] { menuMarks->MenuSync(); });
    // 17. Hidden until the splash window closes.
    run([&] { hide(); });
}

} // namespace kv
