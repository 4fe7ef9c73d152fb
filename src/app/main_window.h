#pragma once

#include "app/layer.h"
#include "controls/control_classes.h"
#include "state/global_v.h"
#include "state/scope_state.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <memory>
#include <vector>

namespace kv {

class Dialogs;
class PaintThrottle;
class PrinterFactory;
class RegistryView;
class SerialControl;
class Shell;
class SplashWindow;
class SystemInfo;

// Handler groups: one class per group, each in the folder of its subsystem.
class Acquisition;        // link/acquisition.h
class ReadOuts;           // display/read_outs.h
class TraceView;          // display/trace_view.h
class Cursors;            // display/cursors.h
class Channels;           // panel/channels.h
class Attenuators;        // panel/attenuators.h
class VoltsDiv;           // panel/volts_div.h
class TimeDiv;            // panel/time_div.h
class TriggerSource;      // panel/trigger_source.h
class TriggerLevel;       // panel/trigger_level.h
class HorizontalPosition; // panel/horizontal_position.h
class MenuMarks;          // panel/menu_marks.h
class SidePanels;         // panel/side_panels.h
class Identification;     // link/identification.h
class PortSearch;         // link/port_search.h
class Calibration;        // link/calibration.h
class SettingsFile;       // files/settings_file.h
class DefaultSettings;    // files/default_settings.h
class ReferenceWaveforms; // files/reference_waveforms.h
class Exports;            // files/exports.h
class WindowPicture;      // files/window_picture.h
class Printing;           // files/printing.h
class Shutdown;           // app/shutdown.h
class SpectrumLauncher;   // spectrum/spectrum_launcher.h

// A control's own Visible property. QWidget::isVisible() is false for every control while the
// window itself is hidden (during start-up, in headless tests); this reads what was set.
inline bool Visible(const QWidget* widget)
{
    return !widget->isHidden();
}

// What the main window is built from; tests pass doubles.
struct MainServices
{
    SerialControl& serial;
    Dialogs& dialogs;
    Shell& shell;
    RegistryView& registry;
    SystemInfo& systemInfo;
    PrinterFactory& printers;
    QString programFolder;
};

// The instrument face: owns the scope state, the shared variables, every control, the menus,
// the timers and the services. The handlers live in handler groups that Main creates after its
// controls, in createGroups(), each given only the state, services, controls and peer groups it
// uses (app/groups_<folder>.cpp).
//
// Members carry the names the handlers use. No control or group pointer is null after
// construction.
class Main : public QMainWindow
{
    Q_OBJECT

  public:
    explicit Main(const MainServices& services, QWidget* parent = nullptr);
    ~Main() override;

    // Start-up: the load handler. Runs once, before the window is first shown.
    void Form_Load();
    // The channel fields start-up sets before it switches both channel buttons off: the low
    // range at 100 mV/div, both channels disabled.
    static void setChannelStartValues(ScopeState& state);
    // True when the desktop's text height is not 16 pixels.
    bool IsLargeFonts() const;
    // "<program folder>/Graphics/100P" or ".../125P", as chosen by Form_Load.
    QString skinPath() const { return skinPath_; }
    // The size of the face against its 16-pixel layout: the desktop's text height over 16,
    // less where the window would not fit the work area (app/face_scale.h).
    double faceScale() const { return faceScale_; }

    // True while a modal message box or dialog is open: timer handlers return at once.
    bool modalOpen() const;

    // The window's own repaint after a record: what has changed is painted, at most once per
    // screen refresh (16 ms, PaintThrottle), so records arriving faster than the screen can
    // show them cost no painting.
    void repaintWindow();
    // While a reply is awaited: a paint held back and due within 4 ms is made now, when it
    // delays no record.
    void paintWhileWaiting();

    // COM port list selection handler: the serial control's port number := position + 1.
    // Connected to COMCombo's index change here (the port search group calls it, it does not
    // connect it again).
    void COMCombo_Click();

    // The splash window, created (its load handler run) on first use after being unloaded.
    SplashWindow& frmSplash();
    bool splashLoaded() const { return !splash_.isNull(); }
    void unloadSplash();

    // ---- State ---------------------------------------------------------------------------
    ScopeState state;
    GlobalV global;

    // ---- Services ------------------------------------------------------------------------
    SerialControl& CWSerial1;
    Dialogs& dialogs;
    Shell& shell;
    RegistryView& registry;
    SystemInfo& sysDetectOS;
    PrinterFactory& printers;
    const QString programFolder;

    // ---- Plot area and its edges -----------------------------------------------------------
    CwGraph* CWGraph1 = nullptr;
    CwSlide* CWSlide4 = nullptr; // vertical positions "VCH1", "VCH2", "VREF1"; -200..200
    CwSlide* CWSlide3 = nullptr; // trigger levels "Pointer-1", "Pointer-2"; -200..201
    CwSlide* CWSlide6 = nullptr; // horizontal view, 40..1460; pointer 2 trigger marker
    CwButton* CWButton29 = nullptr;
    CwButton* CWButton30 = nullptr;
    PictureBox* Picture3 = nullptr;
    QLabel* lblVREF = nullptr;
    QLabel* lblHREF = nullptr;

    // ---- Status strip ----------------------------------------------------------------------
    PictureBox* Picture4 = nullptr;
    CwButton* CWButton21 = nullptr; // trigger source indicator
    CwButton* CWButton22 = nullptr; // CH1 indicator
    CwButton* CWButton25 = nullptr; // CH2 indicator
    CwButton* CWButton24 = nullptr; // cursor A colour swatch
    CwButton* CWButton23 = nullptr; // cursor B colour swatch
    CwButton* CHDISP = nullptr;
    CwButton* LEDATT1b = nullptr;
    CwButton* LEDATT2b = nullptr;
    QLabel* labSetHTrg = nullptr;
    QLabel* lblXpos = nullptr;
    QLabel* lblYPos = nullptr;
    QLabel* lblXPos2 = nullptr;
    QLabel* lblYpos2 = nullptr;
    QLabel* lblXDelta = nullptr;
    QLabel* lblYDelta = nullptr;
    QLabel* lblFRQMain = nullptr;
    QLabel* PeriodVAL = nullptr;
    QLabel* PeriodVAL2 = nullptr;
    QLabel* TimeVal = nullptr;
    QLabel* lblTrg = nullptr;
    QLabel* lblMAX = nullptr;
    QLabel* lblMIN = nullptr;
    QLabel* lblP2P = nullptr;
    QLabel* lblRMS = nullptr;
    QLabel* lblMnn = nullptr;
    QLabel* lblPrd = nullptr;
    QLabel* lblFrq = nullptr;
    PictureBox* ImgRiseing = nullptr;
    PictureBox* ImgFalling = nullptr;
    PictureBox* ImgINF = nullptr;

    // ---- Right-hand column -----------------------------------------------------------------
    CwButton* FFTbutton = nullptr;
    CwButton* CWButton1 = nullptr; // Run/Stop
    CwButton* CWButton8 = nullptr; // channel OFF
    CwButton* CH1Button = nullptr;
    CwButton* LED1 = nullptr;
    CwButton* CH2Button = nullptr;
    CwButton* LED2 = nullptr;
    CwButton* REF1Button = nullptr;
    CwButton* LED5 = nullptr;
    CwKnob* CWKnob2 = nullptr; // time/div, 14 positions
    CwKnob* CWKnob1 = nullptr; // volts/div, 6 positions

    // ---- Side panel: cursors page ------------------------------------------------------------
    PictureBox* picCursor = nullptr;
    CwSlide* GraphMode = nullptr; // 4 positions
    CwSlide* CWSlide2 = nullptr;  // " Snap to Plot", "Floating"
    CwSlide* CWSlide7 = nullptr;  // " Zoom", "Pan", "Cursors"
    CwButton* ZoomOut = nullptr;
    CwButton* Autoscale = nullptr;
    CwButton* btnAPOS = nullptr;
    CwButton* btnBPOS = nullptr;
    CwButton* CWButton5 = nullptr; // cursor A colour
    CwButton* CWButton6 = nullptr; // cursor B colour
    PictureBox* imgCF = nullptr;
    PictureBox* imgCM = nullptr;
    PictureBox* imgCT = nullptr;

    // ---- Side panel: measurements page -------------------------------------------------------
    PictureBox* picMeasure = nullptr;
    QLabel* Max1 = nullptr;
    QLabel* Min1 = nullptr;
    QLabel* P2P1 = nullptr;
    QLabel* RMS1 = nullptr;
    QLabel* Mean1 = nullptr;
    QLabel* Prd1 = nullptr;
    QLabel* Frq1 = nullptr;
    QLabel* Max2 = nullptr;
    QLabel* Min2 = nullptr;
    QLabel* P2P2 = nullptr;
    QLabel* RMS2 = nullptr;
    QLabel* Mean2 = nullptr;
    QLabel* Prd2 = nullptr;
    QLabel* Frq2 = nullptr;
    PictureBox* imgMF = nullptr;
    PictureBox* imgMC = nullptr;
    PictureBox* imgMT = nullptr;

    // ---- Side panel: trigger page --------------------------------------------------------------
    PictureBox* picTrigger = nullptr;
    CwSlide* CWSlide5 = nullptr;    // "Channel 1", "Channel 2", "External"
    CwButton* CWButton12 = nullptr; // edge: on rising
    CwButton* CWButton13 = nullptr; // mode: on Auto
    CwButton* CWButton4 = nullptr;  // acquisition: off continuous, on single
    PictureBox* Label19 = nullptr;  // "Rising"
    PictureBox* Label20 = nullptr;  // "Falling"
    PictureBox* Label18 = nullptr;  // "Auto "
    PictureBox* Label21 = nullptr;  // "Normal"
    PictureBox* Label15 = nullptr;  // "Continuous Acquisition"
    PictureBox* Label16 = nullptr;  // "Single Acquisition"
    PictureBox* imgTC = nullptr;
    PictureBox* imgTM = nullptr;
    PictureBox* imgFS = nullptr;

    // ---- Side panel: file page ---------------------------------------------------------------
    PictureBox* picFile = nullptr;
    CwButton* CWButton3 = nullptr;  // POWER
    CwButton* CWButton14 = nullptr; // round LED
    CwButton* CWButton15 = nullptr; // Export Picture
    CwButton* CWButton2 = nullptr;  // Export Data
    CwButton* CWButton17 = nullptr; // Print
    CwButton* CWButton19 = nullptr; // Preview
    CwButton* CWButton18 = nullptr; // Oscilloscope settings (opens Options)
    QLabel* Label5 = nullptr;
    CwButton* SaveREFCH1 = nullptr;
    CwButton* SaveREFCH2 = nullptr;
    PictureBox* imgFT = nullptr;
    PictureBox* imgFM = nullptr;
    PictureBox* imgFC = nullptr;

    // ---- Options panel -------------------------------------------------------------------------
    PictureBox* Options = nullptr;
    QGroupBox* Frame4 = nullptr; // "Global Settings"
    CwButton* CWButton27 = nullptr;
    CwButton* CWButton28 = nullptr;
    CwButton* CWButton20 = nullptr;
    QGroupBox* Frame3 = nullptr; // "COM Port Settings"
    QComboBox* COMCombo = nullptr;
    QLabel* Label1 = nullptr;
    CwButton* CWButton7 = nullptr; // connection lamp
    QLabel* Label2 = nullptr;
    CwButton* btnSearchCOMPort = nullptr;
    CwButton* btnSelectCOMPort = nullptr;
    PictureBox* Image2 = nullptr;
    QLabel* lblSearchPort = nullptr;
    QLabel* Label4 = nullptr;
    QGroupBox* Frame2 = nullptr; // "40 Volt Attenuation"
    CwButton* CH1ATT = nullptr;
    CwButton* CH2ATT = nullptr;
    CwButton* LEDATT1 = nullptr;
    CwButton* LEDATT2 = nullptr;
    QGroupBox* Frame1 = nullptr; // "Zero Calibrate Ground"
    CwButton* btnCalibrate = nullptr;
    CwSlide* pgbNow = nullptr;
    CwSlide* pgbMain = nullptr;
    QLabel* lblpgbNow = nullptr;
    QLabel* lblpgbMain = nullptr;
    CwButton* CWButton26 = nullptr; // CLOSE

    // ---- Never visible -------------------------------------------------------------------------
    PictureBox* Image1 = nullptr;
    QLabel* Label3 = nullptr;

    // ---- Timers --------------------------------------------------------------------------------
    CwTimer* Timer1 = nullptr;       // acquisition tick, 1 ms, disabled
    CwTimer* CheckCOM = nullptr;     // link watch, 250 ms, enabled
    CwTimer* TriggerTimer = nullptr; // hides cursor "T", 2222 ms, disabled

    // ---- Menu bar ------------------------------------------------------------------------------
    // Items raise QAction::triggered. Only the items of settings (trigger, acquisition mode,
    // channels, time/div, volts/div, cursor style and action) carry a check mark, and it changes
    // only from code (a click does not toggle it).
    QMenu* mnuFile = nullptr;
    QAction* mnuFDefault = nullptr;
    QAction* mnuHBar0 = nullptr;
    QAction* mnuFLoad = nullptr;
    QAction* mnuFSave = nullptr;
    QAction* mnuFBar0 = nullptr;
    QAction* mnuFBMP = nullptr;
    QAction* mnuFExport = nullptr;
    QAction* mnuFPrint = nullptr;
    QAction* mnuFPrivew = nullptr;
    QAction* mnuFBar1 = nullptr;
    QAction* mnuFcal = nullptr;
    QAction* mnuFcom = nullptr;
    QAction* mnuFBar2 = nullptr;
    QAction* mnuFExit = nullptr;

    QMenu* mnuTriger = nullptr;
    QMenu* mnuTSource = nullptr;
    QAction* mnuTSCh1 = nullptr;
    QAction* mnuTSCh2 = nullptr;
    QAction* mnuTSExt = nullptr;
    QMenu* mnuTEdge = nullptr;
    QAction* mnuTRising = nullptr;
    QAction* mnuTFalling = nullptr;
    QMenu* mnuTMode = nullptr;
    QAction* mnuTAuto = nullptr;
    QAction* mnuTNormal = nullptr;
    QMenu* mnuTHor = nullptr;
    QAction* mnuTH10 = nullptr;
    QAction* mnuTH50 = nullptr;
    QAction* mnuTH90 = nullptr;

    QMenu* mnuAcqusition = nullptr;
    QAction* mnuASingle = nullptr;
    QAction* mnuAContinuous = nullptr;
    QAction* mnuBarA0 = nullptr;
    QAction* mnuARunStop = nullptr;

    QMenu* mnuChannel = nullptr;
    QAction* mnuCO = nullptr;
    QAction* mnuC1 = nullptr;
    QAction* mnuC2 = nullptr;

    QMenu* mnuHorizontal = nullptr;
    QAction* mnuH50us = nullptr;
    QAction* mnuH100us = nullptr;
    QAction* mnuH200us = nullptr;
    QAction* mnuH500us = nullptr;
    QAction* mnuH1ms = nullptr;
    QAction* mnuH2ms = nullptr;
    QAction* mnuH5ms = nullptr;
    QAction* mnuH10ms = nullptr;
    QAction* mnuH20ms = nullptr;
    QAction* mnuH50ms = nullptr;
    QAction* mnuH100ms = nullptr;
    QAction* mnuH200ms = nullptr;
    QAction* mnuH500ms = nullptr;
    QAction* mnuH1s = nullptr;

    QMenu* mnuVertical = nullptr;
    QMenu* mnuVCH1 = nullptr;
    QAction* mnuVCH1100mv = nullptr;
    QAction* mnuVCH1200mV = nullptr;
    QAction* mnuVCH1500mV = nullptr;
    QAction* mnuVch11V = nullptr;
    QAction* mnuVch12V = nullptr;
    QAction* mnuVCH15V = nullptr;
    QMenu* mnuVch2 = nullptr;
    QAction* mnuVch2100mV = nullptr;
    QAction* mnuVch2200mV = nullptr;
    QAction* mnuVch2500mV = nullptr;
    QAction* mnuVch21V = nullptr;
    QAction* mnuVch22V = nullptr;
    QAction* mnuVch25V = nullptr;

    QMenu* mnuHelp = nullptr;
    QAction* mnuHHelp = nullptr;
    QAction* mnuHOnlineH = nullptr;
    QAction* mnuHBar1 = nullptr;
    QAction* mnuHAbout = nullptr;

    // ---- Popup menu (never on the menu bar)
    // -------------------------------------------------------
    QMenu* mnuPopup = nullptr;
    QAction* mnuZoom = nullptr;
    QAction* mnuZoomout = nullptr;
    QMenu* mnuPOPCursor = nullptr;    // aboutToShow is its click
    QAction* mnuPOPCursorA = nullptr; // hidden
    QAction* mnuPOPCursorB = nullptr; // hidden
    QAction* mnuPOPCHorizontal = nullptr;
    QAction* mnuPOPCVertical = nullptr;
    QAction* mnuPOPCPaired = nullptr;
    QAction* mnuPOPCoff = nullptr;
    QAction* mnuPOPCSnap = nullptr;
    QAction* mnuPOPCFloat = nullptr;
    QAction* mnuPopupBoth = nullptr; // hidden
    QAction* mnuPopupA = nullptr;    // hidden
    QAction* mnuPopupB = nullptr;    // hidden
    QAction* mnuPan = nullptr;
    QAction* mnuReset = nullptr;

    // Every menu item of the menu bar and the popup, separators included, in menu order.
    const std::vector<QAction*>& menuItems() const { return menuItems_; }

    // ---- Handler groups ----------------------------------------------------------------------
    // Each is created once, in createGroups(), and kept until the window goes.
    Acquisition* acquisition = nullptr;
    ReadOuts* readOuts = nullptr;
    TraceView* traceView = nullptr;
    Cursors* cursors = nullptr;
    Channels* channels = nullptr;
    Attenuators* attenuators = nullptr;
    VoltsDiv* voltsDiv = nullptr;
    TimeDiv* timeDiv = nullptr;
    TriggerSource* triggerSource = nullptr;
    TriggerLevel* triggerLevel = nullptr;
    HorizontalPosition* horizontalPosition = nullptr;
    MenuMarks* menuMarks = nullptr;
    SidePanels* sidePanels = nullptr;
    Identification* identification = nullptr;
    PortSearch* portSearch = nullptr;
    Calibration* calibration = nullptr;
    SettingsFile* settingsFile = nullptr;
    DefaultSettings* defaultSettings = nullptr;
    ReferenceWaveforms* referenceWaveforms = nullptr;
    Exports* exports = nullptr;
    WindowPicture* windowPicture = nullptr;
    Printing* printing = nullptr;
    Shutdown* shutdown = nullptr;
    SpectrumLauncher* spectrum = nullptr;

  private:
    // main_window_layout.cpp
    void designCursorsOff();
    void buildFace();
    void buildPlotArea(QWidget* face);
    void buildStatusStrip(QWidget* face);
    void buildRightColumn(QWidget* face);
    void buildCursorPage();
    void buildMeasurePage();
    void buildTriggerPage();
    void buildFilePage();
    void buildOptionsPanel(QWidget* face);
    // Sizes the face and its fonts for the desktop's text height and work area.
    void scaleFace();
    void buildTimers();
    // main_window.cpp
    void markCommandButtons();
    // main_window_menus.cpp
    void buildMenus();
    QAction* addItem(QMenu* menu, QAction*& item, const char* name, const QString& caption,
                     const QKeySequence& shortcut = {});
    // An item that carries a check mark.
    QAction* addMarkedItem(QMenu* menu, QAction*& item, const char* name, const QString& caption);
    QAction* addSeparator(QMenu* menu, QAction*& item, const char* name);
    QMenu* addSubmenu(QMenu* parent, QMenu*& menu, const char* name, const QString& caption);
    // Groups are built folder by folder, each folder after the ones its groups call:
    // display, panel, link, files, then the window's own (app/groups_<folder>.cpp).
    void createGroups();
    void createDisplayGroups();
    void createPanelGroups();
    void createLinkGroups();
    void createFileGroups();
    void createWindowGroups();
    // Creates a group, keeps it until the window goes, returns it.
    template <class Group, class... Args> Group* addGroup(Args&&... args);

    // start_up.cpp: the steps of Form_Load, in the order it takes them.
    void setSessionFlags();
    void chooseSkin();
    void loadSkin();
    void fillComList();
    void resetInstrument();
    void setTriggerDefaults();
    void setChannelDefaults();
    void setTraceColours();
    void setViewDefaults();
    void setScaleAndGainDefaults();
    void setUpCursors();
    void resetTraceDisplay();
    void setPositionAndOffsetDefaults();
    void readAutosave();
    void applyModelGains();
    void markCursorActionItems();
    void offerFirstRunOptions();

    QString skinPath_;
    double faceScale_ = 1.0;
    PaintThrottle* paintThrottle_ = nullptr; // owned by the window
    QPointer<SplashWindow> splash_;
    std::vector<QAction*> menuItems_;
    std::vector<std::unique_ptr<QObject>> groups_;
};

template <class Group, class... Args> Group* Main::addGroup(Args&&... args)
{
    auto group = std::make_unique<Group>(std::forward<Args>(args)...);
    Group* raw = group.get();
    groups_.push_back(std::move(group));
    return raw;
}

} // namespace kv
