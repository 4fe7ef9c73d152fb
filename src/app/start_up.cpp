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
#include "platform/rules/skip_on_failure.h"
#include "platform/services.h"
#include "state/channel_fields.h"
#include "state/colours.h"
#include "state/names.h"
#include "state/voltsdiv_range.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QSignalBlocker>

namespace kv {

void Main::Form_Load()
{
    // Timer handlers run only once start-up has returned to the event loop: showing the splash
    // window and the first-run question process events, and a link-watch tick there would
    // identify the instrument in the middle of start-up.
    const CwTimer::Hold timersWait;
    setSessionFlags();
    chooseSkin();
    // From here on a failing statement is skipped.
    loadSkin();
    fillComList();
    skipOnFailure([this] { CWSerial1.PortSetup(); });
    skipOnFailure([this] { frmSplash().show(); });
    resetInstrument();
    setTriggerDefaults();
    setChannelDefaults();
    setTraceColours();
    setViewDefaults();
    setScaleAndGainDefaults();
    skipOnFailure([this] { CWSerial1.PortSetup(); });
    setUpCursors();
    resetTraceDisplay();
    setPositionAndOffsetDefaults();
    readAutosave();
    skipOnFailure([this] { identification->CheckHardware(); });
    applyModelGains();
    markCursorActionItems();
    offerFirstRunOptions();
    skipOnFailure([this] { menuMarks->MenuSync(); });
    // The window stays hidden until the splash window closes.
    skipOnFailure([this] { hide(); });
}

void Main::setSessionFlags()
{
    // The attenuator circuitry counts as absent until the "Hardware Check" dialog finds it; that
    // dialog and the reference tip show until the user or the autosave file turns them off.
    global.NoATTHardware = true;
    global.ShowHardwareCheck = true;
    global.ShowRefTip = true;
    state.MouseAction = "0";
}

void Main::chooseSkin()
{
    const QString skinFolder = IsLargeFonts() ? QStringLiteral("125P") : QStringLiteral("100P");
    skinPath_ = QDir(programFolder).filePath(QStringLiteral("Graphics/") + skinFolder);
}

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

void Main::resetInstrument()
{
    // The reset byte, then the port opened afresh and whatever arrived meanwhile dropped, so
    // that identification starts on a quiet line.
    skipOnFailure([this] { SendData(CWSerial1, ResetCmd); });
    skipOnFailure([this] { CWSerial1.PortReset(); });
    skipOnFailure([this] { CWSerial1.PortSetup(); });
    skipOnFailure([this] { CWSerial1.FlushInput(); });
}

void Main::setTriggerDefaults()
{
    // Channel 1, rising edge, Auto mode, continuous acquisition, both levels mid-scale. The
    // controls are set after their fields, so their handlers see the new values.
    state.TrigSourceBits = "00";
    skipOnFailure([this] { CWSlide5->setPosition(1); });
    state.TrigSlopeBits = "11";
    state.TrigEdgeText = "Rising";
    state.TrigSourceText = "CH1";
    skipOnFailure([this] { CWButton12->setValue(true); });
    state.TrigSlopeSaved = state.TrigSlopeBits;
    state.TrigModeBit = "1";
    skipOnFailure([this] { CWButton13->setValue(true); });
    state.TrigLevelCH1 = 127;
    state.TrigLevelCH2 = 127;
    skipOnFailure([this] { CWButton4->setValue(false); });
}

void Main::setChannelStartValues(ScopeState& state)
{
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
}

void Main::setChannelDefaults()
{
    // Both channels off, on the low range at 100 mV/div; the graph shows samples 500 to 1000.
    setChannelStartValues(state);
    skipOnFailure([this] { CH1Button->setValue(false); });
    skipOnFailure([this] { CH2Button->setValue(false); });
    state.FastChannelBits = "00";
    state.FramePlotted = true;
    state.XAxisMax = 1000;
    state.XAxisMin = 500;
    state.XAxisMax2 = 1750;
    state.XAxisMin2 = 1250;
}

void Main::setTraceColours()
{
    // Channel 1 blue, channel 2 red; each channel button shows its trace's colour when off.
    const QString plot1 = CWGraph1->plotName(1), plot2 = CWGraph1->plotName(2);
    skipOnFailure([&] { CWGraph1->setPlotColor(plot1, colour::Blue); });
    skipOnFailure([&] { CH1Button->setOffColor(CWGraph1->plotColor(plot1)); });
    skipOnFailure([&] { CWGraph1->setPlotColor(plot2, colour::Red); });
    skipOnFailure([&] { CH2Button->setOffColor(CWGraph1->plotColor(plot2)); });
}

void Main::setViewDefaults()
{
    // Floating cursors, no channel selected (so the volts/div knob is disabled), the first
    // time/div position, the trigger pointers placed for these values, and POWER on.
    skipOnFailure([this] { CWSlide2->setPosition(2); });
    state.CH1EnableBits = "0000";
    global.ActiveChannel = 0;
    skipOnFailure([this] { CWKnob2->setPosition(1); });
    state.TimebaseCode = "00010";
    state.VdivIndex = 1;
    skipOnFailure([this] { triggerLevel->TrigLevel(); });
    skipOnFailure([this] { CWButton3->setValue(true); });
    skipOnFailure([this] { CWKnob1->setEnabled(false); });
}

void Main::setScaleAndGainDefaults()
{
    // The plot scale of 100 mV/div, no attenuation, and both models' gain corrections until
    // the autosave file gives its own.
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
}

void Main::setUpCursors()
{
    // Cursor "T" is the trigger level's horizontal line, in channel 1's colour; cursors A (red)
    // and B (blue) float. All three start hidden; the buttons and swatches of A and B wear
    // their cursor's colour.
    skipOnFailure([this] {
        for (QLatin1String name : {names::CursorA, names::CursorB, names::CursorT})
            CWGraph1->addCursor(name);
    });
    constexpr QLatin1String A = names::CursorA, B = names::CursorB, T = names::CursorT;
    skipOnFailure([&] { CWGraph1->setCursorCrosshairStyle(T, CwGraph::CrosshairHorizontal); });
    skipOnFailure([&] { CWGraph1->setCursorVisible(T, false); });
    skipOnFailure([this] { CWGraph1->setTrackMode(CwGraph::TrackDragCursors); });
    skipOnFailure([&] {
        for (QLatin1String c : {A, B}) {
            CWGraph1->setCursorSnapMode(c, CwGraph::SnapFloating);
            CWGraph1->setCursorVisible(c, false);
        }
    });
    skipOnFailure([&] { CWGraph1->setCursorColor(A, colour::Red); });
    skipOnFailure([this] {
        for (CwButton* b : {CWButton5, CWButton24, btnAPOS})
            b->setOffColor(colour::Red);
    });
    skipOnFailure([&] { CWGraph1->setCursorColor(B, colour::Blue); });
    skipOnFailure([this] {
        for (CwButton* b : {CWButton6, CWButton23, btnBPOS})
            b->setOffColor(colour::Blue);
    });
    skipOnFailure([&] { CWGraph1->setCursorColor(T, CWGraph1->plotColor(CWGraph1->plotName(1))); });
}

void Main::resetTraceDisplay()
{
    // Both traces hidden; the volts/div read-outs show the start-up 100 mV/div.
    skipOnFailure([this] { CWGraph1->setPlotVisible(names::PCH1, false); });
    skipOnFailure([this] { CWGraph1->setPlotVisible(names::PCH2, false); });
    skipOnFailure([this] { PeriodVAL->setText(QStringLiteral("100mV")); });
    skipOnFailure([this] { PeriodVAL2->setText(QStringLiteral("100mV")); });
}

void Main::setPositionAndOffsetDefaults()
{
    // The trigger at the middle of the record, and no calibration offsets yet.
    state.TrigPosByte1 = 240;
    state.TrigPosByte2 = 5;
    state.TrigPosByte3 = 239;
    state.TrigPosByte4 = 3;
    state.HTrigPosition = 2;
    state.CalOffsetCH1Lo = 0;
    state.CalOffsetCH1Hi = 0;
    state.CalOffsetCH2Lo = 0;
    state.CalOffsetCH2Hi = 0;
}

void Main::readAutosave()
{
    // A first run unless the autosave file says otherwise; a sound file is loaded through the
    // controls.
    global.FirstRun = true;
    state.FilePath =
        QDir(autosaveFolder(programFolder)).filePath(QStringLiteral("R7S.ast")).toStdString();
    skipOnFailure(
        [this] { settingsFile->FileRepExistsAST(QString::fromStdString(state.FilePath)); });
}

void Main::applyModelGains()
{
    // Each channel's gain is the identified model's gain for the range of its volts/div.
    skipOnFailure([this] {
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
}

void Main::markCursorActionItems()
{
    // The popup's snap and float marks agree with the cursor-action slide.
    skipOnFailure([this] {
        const int position = CWSlide2->position();
        if (position == 1 || position == 2) {
            mnuPOPCSnap->setChecked(position == 1);
            mnuPOPCFloat->setChecked(position == 2);
        }
    });
}

void Main::offerFirstRunOptions()
{
    // A first run shows the Options panel (port and calibration) and enables the link watch.
    skipOnFailure([this] {
        if (global.FirstRun.toBoolean()) {
            Options->setVisible(true);
            CheckCOM->setEnabled(true);
        }
    });
}

} // namespace kv
