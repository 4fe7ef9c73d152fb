#include "controls/cw_button.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "support/main_fixture.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>

namespace kv::test {
namespace {

class Window : public MainFixture
{
  protected:
    // No instrument answers, so start-up asks no first-run calibration question.
    void SetUp() override { instrument().faults().silence = true; }
};

struct Item
{
    const char* name;
    const char* caption; // "-" for a separator
    const char* shortcut;
    bool hidden;
};

// Every item of the menu bar and the popup, in menu order (submenus after their parent).
const Item MenuTable[] = {
    {"mnuFile", "&File", "", false},
    {"mnuFDefault", "&Load Default Settings", "", false},
    {"mnuHBar0", "-", "", false},
    {"mnuFLoad", "&Load Settings", "F2", false},
    {"mnuFSave", "&Save Settings", "F4", false},
    {"mnuFBar0", "-", "", false},
    {"mnuFBMP", "Save &BMP As...", "Ctrl+S", false},
    {"mnuFExport", "Export &Data As...", "Ctrl+D", false},
    {"mnuFPrint", "&Print", "Ctrl+P", false},
    {"mnuFPrivew", "Print Pre&view", "", false},
    {"mnuFBar1", "-", "", false},
    {"mnuFcal", "Calibrate", "F11", false},
    {"mnuFcom", "Set COM Port", "F12", false},
    {"mnuFBar2", "-", "", false},
    {"mnuFExit", "&Exit", "Ctrl+E", false},
    {"mnuTriger", "&Trigger", "", false},
    {"mnuTSource", "&Source", "", false},
    {"mnuTSCh1", "Channel &1", "", false},
    {"mnuTSCh2", "Channel &2", "", false},
    {"mnuTSExt", "&External Trigger", "", false},
    {"mnuTEdge", "&Edge", "", false},
    {"mnuTRising", "&Rising", "", false},
    {"mnuTFalling", "&Falling", "", false},
    {"mnuTMode", "&Mode", "", false},
    {"mnuTAuto", "&Auto", "", false},
    {"mnuTNormal", "&Normal", "", false},
    {"mnuTHor", "&Horizontal Position", "", false},
    {"mnuTH10", "10%", "", false},
    {"mnuTH50", "50%", "", false},
    {"mnuTH90", "90%", "", false},
    {"mnuAcqusition", "Ac&quisiton", "", false},
    {"mnuASingle", "&Single", "", false},
    {"mnuAContinuous", "&Continuous", "", false},
    {"mnuBarA0", "-", "", false},
    {"mnuARunStop", "&Run/Stop", "Ctrl+R", false},
    {"mnuChannel", "&Channel", "", false},
    {"mnuCO", "&OFF", "", false},
    {"mnuC1", "Channel &1", "", false},
    {"mnuC2", "Channel &2", "", false},
    {"mnuHorizontal", "&Horizontal", "", false},
    {"mnuH50us", "50us", "", false},
    {"mnuH100us", "100us", "", false},
    {"mnuH200us", "200us", "", false},
    {"mnuH500us", "500us", "", false},
    {"mnuH1ms", "1ms", "", false},
    {"mnuH2ms", "2ms", "", false},
    {"mnuH5ms", "5ms", "", false},
    {"mnuH10ms", "10ms", "", false},
    {"mnuH20ms", "20ms", "", false},
    {"mnuH50ms", "50ms", "", false},
    {"mnuH100ms", "100ms", "", false},
    {"mnuH200ms", "200ms", "", false},
    {"mnuH500ms", "500ms", "", false},
    {"mnuH1s", "1s", "", false},
    {"mnuVertical", "&Vertical", "", false},
    {"mnuVCH1", "Channel &1", "", false},
    {"mnuVCH1100mv", "100mV", "", false},
    {"mnuVCH1200mV", "200mV", "", false},
    {"mnuVCH1500mV", "500mV", "", false},
    {"mnuVch11V", "1V", "", false},
    {"mnuVch12V", "2V", "", false},
    {"mnuVCH15V", "5V", "", false},
    {"mnuVch2", "Channel &2", "", false},
    {"mnuVch2100mV", "100mV", "", false},
    {"mnuVch2200mV", "200mV", "", false},
    {"mnuVch2500mV", "500mV", "", false},
    {"mnuVch21V", "1V", "", false},
    {"mnuVch22V", "2V", "", false},
    {"mnuVch25V", "5V", "", false},
    {"mnuHelp", "&Help", "", false},
    {"mnuHHelp", "&Help", "F1", false},
    {"mnuHOnlineH", "On&line Help", "Shift+F1", false},
    {"mnuHBar1", "-", "", false},
    {"mnuHAbout", "&About Corvanth USB Oscilloscope", "", false},
    {"mnuPopup", "&MPOPUP", "", false},
    {"mnuZoom", "&Zoom", "", false},
    {"mnuZoomout", "Zoom &Out", "", false},
    {"mnuPopBar0", "-", "", false},
    {"mnuPOPCursor", "&Cursors", "", false},
    {"mnuPOPCursorA", "Position Cursor &A", "", true},
    {"mnuPOPCursorB", "Position Cursor &B", "", true},
    {"mnuPOPCHorizontal", "&Horizontal", "", false},
    {"mnuPOPCVertical", "&Vertical", "", false},
    {"mnuPOPCPaired", "&Paired", "", false},
    {"mnuPOPCoff", "&OFF", "", false},
    {"mnuPOPCBar0", "-", "", false},
    {"mnuPOPCSnap", "&Snap to Plot", "", false},
    {"mnuPOPCFloat", "&Free Floating", "", false},
    {"mnuPopBar1", "-", "", false},
    {"mnuPopupBoth", "Position Both &Cursors", "", true},
    {"mnuPopupA", "Position Cursor &A", "", true},
    {"mnuPopupB", "Position Cursor &B", "", true},
    {"mnuPan", "&Pan", "", false},
    {"mnuPopBar2", "-", "", false},
    {"mnuReset", "&Reset Plot(s)", "", false},
};

TEST_F(Window, MenuTreeHasEveryItemWithCaptionShortcutAndHiddenState)
{
    Main& m = build();
    const auto& items = m.menuItems();
    ASSERT_EQ(items.size(), std::size(MenuTable));
    for (std::size_t i = 0; i < items.size(); ++i) {
        const Item& want = MenuTable[i];
        const QAction* got = items[i];
        SCOPED_TRACE(want.name);
        EXPECT_EQ(got->objectName(), want.name);
        if (QString::fromLatin1(want.caption) == "-")
            EXPECT_TRUE(got->isSeparator());
        else
            EXPECT_EQ(got->text(), QString::fromLatin1(want.caption));
        EXPECT_EQ(got->shortcut(), QKeySequence(QString::fromLatin1(want.shortcut)));
        EXPECT_EQ(got->isVisible(), !want.hidden);
    }
}

TEST_F(Window, MenuBarHoldsTheSixMenusInOrderAndNotThePopup)
{
    Main& m = build();
    QStringList bar;
    for (QAction* a : m.menuBar()->actions())
        bar << a->objectName();
    EXPECT_EQ(bar, QStringList({"mnuFile", "mnuTriger", "mnuAcqusition", "mnuChannel",
                                "mnuHorizontal", "mnuVertical", "mnuHelp"}));
}

TEST_F(Window, HiddenPopupItemsStayHiddenAndDisabled)
{
    Main& m = load();
    const QList<QAction*> hidden{m.mnuPOPCursorA, m.mnuPOPCursorB, m.mnuPopupBoth, m.mnuPopupA,
                                 m.mnuPopupB};
    // Cursor styles and actions change; the items stay hidden.
    for (int style = 1; style <= 4; ++style) {
        m.GraphMode->setPosition(style);
        for (int action = 1; action <= 2; ++action) {
            m.CWSlide2->setPosition(action);
            Q_EMIT m.mnuPOPCursor->aboutToShow();
            for (QAction* a : hidden) {
                EXPECT_FALSE(a->isVisible()) << a->objectName().toStdString();
                EXPECT_FALSE(a->isEnabled()) << a->objectName().toStdString();
            }
        }
    }
}

// The items that stand for a setting; only they carry a check box.
const QStringList MarkedItems = {
    "mnuTSCh1",          "mnuTSCh2",        "mnuTSExt",      "mnuTRising",   "mnuTFalling",
    "mnuTAuto",          "mnuTNormal",      "mnuTH10",       "mnuTH50",      "mnuTH90",
    "mnuASingle",        "mnuAContinuous",  "mnuC1",         "mnuC2",        "mnuH50us",
    "mnuH100us",         "mnuH200us",       "mnuH500us",     "mnuH1ms",      "mnuH2ms",
    "mnuH5ms",           "mnuH10ms",        "mnuH20ms",      "mnuH50ms",     "mnuH100ms",
    "mnuH200ms",         "mnuH500ms",       "mnuH1s",        "mnuVCH1100mv", "mnuVCH1200mV",
    "mnuVCH1500mV",      "mnuVch11V",       "mnuVch12V",     "mnuVCH15V",    "mnuVch2100mV",
    "mnuVch2200mV",      "mnuVch2500mV",    "mnuVch21V",     "mnuVch22V",    "mnuVch25V",
    "mnuPOPCHorizontal", "mnuPOPCVertical", "mnuPOPCPaired", "mnuPOPCSnap",  "mnuPOPCFloat",
};

TEST_F(Window, OnlyTheItemsOfSettingsCarryACheckBox)
{
    Main& m = load();
    for (const QAction* item : m.menuItems()) {
        SCOPED_TRACE(item->objectName().toStdString());
        EXPECT_EQ(item->isCheckable(), MarkedItems.contains(item->objectName()));
    }
    // Commands never show a check box, also after they ran.
    m.mnuHOnlineH->trigger();
    m.mnuARunStop->trigger();
    m.mnuARunStop->trigger();
    for (const QAction* item : {m.mnuFExit, m.mnuFPrint, m.mnuHHelp, m.mnuARunStop, m.mnuCO,
                                m.mnuPOPCoff, m.mnuZoom, m.mnuPan})
        EXPECT_FALSE(item->isChecked()) << item->objectName().toStdString();
}

TEST_F(Window, ClickingAnItemDoesNotToggleItsCheckMark)
{
    Main& m = build();
    // "Single" while single mode is on: its handler sets the switch it already has.
    m.CWButton4->setValue(true);
    ASSERT_TRUE(m.mnuASingle->isChecked());
    bool seen = false;
    QObject::connect(m.mnuASingle, &QAction::triggered, [&] { seen = m.mnuASingle->isChecked(); });
    m.mnuASingle->trigger();
    EXPECT_TRUE(seen);
    EXPECT_TRUE(m.mnuASingle->isChecked());
    m.mnuASingle->setChecked(false);
    m.mnuASingle->trigger();
    EXPECT_FALSE(m.mnuASingle->isChecked());
}

struct TimerCase
{
    const char* name;
    int interval;
    bool enabled;
};

struct FaceText
{
    const char* name;
    const char* toolTip;
    const char* caption; // nullptr: not checked
};

// Every control's tool tip and caption, as the instrument face shows them (typos included).
const FaceText FaceTable[] = {
    {"CWGraph1", "Plot Area: Right click for menu", nullptr},
    {"CWSlide4", "Sets vertical position", nullptr},
    {"CWSlide3", "Sets trigger position", nullptr},
    {"CWSlide6", "Changes horizontal viewing area", nullptr},
    {"CWButton29", "Moves horizontal trigger left", nullptr},
    {"CWButton30", "Moves horizontal trigger right", nullptr},
    {"Picture3", "", nullptr},
    {"Picture4", "Displays current status", nullptr},
    {"CWButton21", "Trigger source", "CH1"},
    {"CWButton22", "", "CH1"},
    {"CWButton25", "", "CH2"},
    {"CWButton24", "Cursor A color", nullptr},
    {"CWButton23", "Cursor B color", nullptr},
    {"CHDISP", "Measured channel", "CH1"},
    {"LEDATT1b", "40V Attenuation Indicator", nullptr},
    {"LEDATT2b", "40V Attenuation Indicator", nullptr},
    {"labSetHTrg", "Horizontal trigger position", "xx% Trigger"},
    {"lblXpos", "Cursor A time", nullptr},
    {"lblYPos", "Cursor A amplitude", nullptr},
    {"lblXPos2", "Cursor B time", nullptr},
    {"lblYpos2", "Cursor B amplitude", nullptr},
    {"lblXDelta", "Time delta", "X Delta"},
    {"lblYDelta", "Amplitude delta", "Y Delta"},
    {"lblFRQMain", "Cursor frequency", nullptr},
    {"PeriodVAL", "CH1 amplitude", nullptr},
    {"PeriodVAL2", "CH2 amplitude", nullptr},
    {"TimeVal", "Current sample rate", nullptr},
    {"lblTrg", "Trigger voltage", nullptr},
    {"lblMAX", "Maximum", nullptr},
    {"lblMIN", "Minimum", nullptr},
    {"lblP2P", "Peak to Peak", nullptr},
    {"lblRMS", "true RMS", nullptr},
    {"lblMnn", "Mean", nullptr},
    {"lblPrd", "Period", nullptr},
    {"lblFrq", "Frequency", nullptr},
    {"ImgRiseing", "Trigger edge", nullptr},
    {"ImgFalling", "Trigger edge", nullptr},
    {"ImgINF", "", nullptr},
    {"FFTbutton", "Switches to FFT view", nullptr},
    {"CWButton1", "Acquires and stops acquiring data  [Ctrl+R]", nullptr},
    {"CWButton8", "Switches OFF selected channel", "OFF"},
    {"CH1Button", "Selects channel 1", "CH1"},
    {"LED1",
     "Green: Channel 1 is ON and selected  Yellow: Channel 1 is ON but not selected  Dark Green: "
     "Channel 1 is OFF",
     nullptr},
    {"CH2Button", "Selects channel 2", "CH2"},
    {"REF1Button", "Double-click to select a reference waveform", "REF"},
    {"CWKnob2", "Adjusts horizontal divisions for CH1 and CH2", nullptr},
    {"CWKnob1", "Adjusts vertical divisions for CH1 or CH2", nullptr},
    {"GraphMode", "Selects cursor type", nullptr},
    {"CWSlide2", "Sets cursor action", nullptr},
    {"CWSlide7", "Changes mouse action inside plot area", nullptr},
    {"ZoomOut", "Zooms out and resets plot(s)", nullptr},
    {"Autoscale", "Toggles between 500 and 1500 horizontal records", nullptr},
    {"btnAPOS",
     "Selects Cursor A to be placed on plot.  Note: Click button then click desired area on plot "
     "to place cursor.",
     nullptr},
    {"btnBPOS",
     "Selects Cursor B to be placed on plot.  Note: Click button then click desired area on plot "
     "to place cursor.",
     nullptr},
    {"CWButton5", "Changes cursor A color", nullptr},
    {"CWButton6", "Changes cursor B color", nullptr},
    {"Max1", "Maximum", nullptr},
    {"Min2", "Minimum", nullptr},
    {"P2P1", "Peak to Peak", nullptr},
    {"RMS2", "true RMS", nullptr},
    {"Mean1", "Mean", nullptr},
    {"Prd2", "Period", nullptr},
    {"Frq1", "Frequency", nullptr},
    {"CWSlide5", "Selects trigger source", nullptr},
    {"CWButton12", "Selects trigger edge", nullptr},
    {"Label19", "", "Rising"},
    {"Label20", "", "Falling"},
    {"CWButton13", "Selects trigger mode", nullptr},
    {"Label18", "", "Auto "},
    {"Label21", "", "Normal"},
    {"CWButton4", "Selects acquisition mode", nullptr},
    {"Label15", "", "Continuous Acquisition"},
    {"Label16", "", "Single Acquisition"},
    {"CWButton3", "Exits Kestrovue  [Ctrl+E]", "POWER"},
    {"CWButton15", "Saves the plot(s) as a *.bmp file  [Crtl+S]", "Export Picture"},
    {"CWButton2", "Saves the plot(s) as a *.xls or a *.csv file  [Ctrl+D]", "Export Data"},
    {"CWButton17", "Prints current plot(s)  [Ctrl+P]", "Print"},
    {"CWButton19", "Opens print preview window", "Preview"},
    {"CWButton18", "Opens settings window  [F12]", "Oscilloscope settings"},
    {"Label5", "", "Save reference waveform (*.rfw)"},
    {"SaveREFCH1", "Saves CH1 reference waveform as a *.rfw file", "CH1"},
    {"SaveREFCH2", "Saves CH2 reference waveform as a *.rfw file", "CH2"},
    {"Frame4", "", "Global Settings"},
    {"CWButton27", "Loads default settings", "Load Default Settings"},
    {"CWButton28", "Loads previously saved settings  [F2]", "Load  Settings"},
    {"CWButton20", "Saves current settings  [F4]", "Save  Settings"},
    {"Frame3", "", "COM Port Settings"},
    {"COMCombo", "Selects USB COM port", nullptr},
    {"Label1", "", "Selected COM Port:"},
    {"CWButton7", "Connection indicator", nullptr},
    {"Label2", "", "GREEN-Connected RED-Not Connected"},
    {"btnSearchCOMPort", "", "Search for Kestrovue COM Port"},
    {"Label4", "",
     "Tip:  Be sure to set the COM port that was assigned to the hardware during the driver "
     "installation."},
    {"Frame2", "", "40 Volt Attenuation"},
    {"CH1ATT", "CH1 40V Attenuation", "CH1 Attenuation"},
    {"CH2ATT", "CH2 40V Attenuation", "CH2 Attenuation"},
    {"Frame1", "", "Zero Calibrate Ground"},
    {"btnCalibrate", "Calibrates both channels  [F11]", "Calibrate"},
    {"lblpgbNow", "", "CHX Proress"},
    {"lblpgbMain", "", "Overall Progress"},
    {"CWButton26", "Closes this view and returns to plot area view", "CLOSE"},
    {"Image1", "www.kestrovue.example/r7t", nullptr},
};

QString shownCaption(const QWidget* w)
{
    if (const auto* b = qobject_cast<const CwButton*>(w))
        return b->offText();
    if (const auto* l = qobject_cast<const QLabel*>(w))
        return l->text();
    if (const auto* g = qobject_cast<const QGroupBox*>(w))
        return g->title();
    return QStringLiteral("<no caption>");
}

TEST_F(Window, EveryControlHasItsToolTipAndCaption)
{
    Main& m = build();
    for (const FaceText& want : FaceTable) {
        SCOPED_TRACE(want.name);
        const auto found = m.findChildren<QWidget*>(QString::fromLatin1(want.name));
        ASSERT_EQ(found.size(), 1);
        EXPECT_EQ(found.front()->toolTip(), QString::fromLatin1(want.toolTip));
        if (want.caption) {
            EXPECT_EQ(shownCaption(found.front()), QString::fromLatin1(want.caption));
        }
    }
    EXPECT_EQ(m.btnCalibrate->onText(), "Calibrating");
}

TEST_F(Window, TimersHaveTheirIntervalsAndStartStates)
{
    Main& m = build();
    const std::pair<CwTimer*, TimerCase> timers[] = {
        {m.Timer1, {"Timer1", 1, false}},
        {m.CheckCOM, {"CheckCOM", 250, true}},
        {m.TriggerTimer, {"TriggerTimer", 2222, false}},
    };
    for (const auto& [timer, want] : timers) {
        SCOPED_TRACE(want.name);
        EXPECT_EQ(timer->objectName(), want.name);
        EXPECT_EQ(timer->interval(), want.interval);
        EXPECT_EQ(timer->enabled(), want.enabled);
    }
}

TEST_F(Window, CaptionAndFixedSize)
{
    Main& m = build();
    EXPECT_EQ(m.windowTitle(), "Corvanth USB Oscilloscope - Digital Real Time Oscilloscope");
    m.layout()->activate();
    EXPECT_EQ(m.minimumSize(), m.maximumSize());
    EXPECT_GT(m.minimumWidth(), 0);
}

TEST_F(Window, SlidesAndKnobsAreConfigured)
{
    Main& m = build();
    EXPECT_EQ(m.CWKnob2->positionCount(), 14);
    EXPECT_EQ(m.CWKnob2->positionLabel(14), "1s");
    EXPECT_EQ(m.CWKnob1->positionCount(), 6);
    EXPECT_EQ(m.CWKnob1->positionLabel(4), "1V");
    EXPECT_EQ(m.CWSlide4->pointerCount(), 3);
    EXPECT_EQ(m.CWSlide4->pointerIndex("VCH1"), 1);
    EXPECT_EQ(m.CWSlide4->pointerIndex("VCH2"), 2);
    EXPECT_EQ(m.CWSlide4->pointerIndex("VREF1"), 3);
    EXPECT_EQ(m.CWSlide4->axisMinimum(), -200);
    EXPECT_EQ(m.CWSlide4->axisMaximum(), 200);
    EXPECT_EQ(m.CWSlide3->pointerCount(), 2);
    EXPECT_EQ(m.CWSlide3->pointerName(2), "Pointer-2");
    EXPECT_EQ(m.CWSlide3->axisMinimum(), -200);
    EXPECT_EQ(m.CWSlide3->axisMaximum(), 201);
    EXPECT_EQ(m.CWSlide6->axisMinimum(), 40);
    EXPECT_EQ(m.CWSlide6->axisMaximum(), 1460);
    EXPECT_EQ(m.CWSlide6->pointerValue(1), 750);
    EXPECT_EQ(m.CWSlide5->positionCount(), 3);
    EXPECT_EQ(m.CWSlide5->positionLabel(3), "External");
    EXPECT_EQ(m.CWSlide2->positionLabel(1), " Snap to Plot");
    EXPECT_EQ(m.CWSlide7->positionLabel(1), " Zoom");
    EXPECT_EQ(m.GraphMode->positionCount(), 4);
    EXPECT_EQ(m.GraphMode->positionLabel(4), "OFF");
}

} // namespace
} // namespace kv::test
