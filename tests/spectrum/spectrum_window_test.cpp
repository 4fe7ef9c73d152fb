#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_timer.h"
#include "spectrum/spectrum_window.h"
#include "support/test_support.h"

#include <QApplication>
#include <QDir>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QSignalSpy>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <ostream>
#include <span>
#include <vector>

namespace kv {
namespace {

const QString kPlot = QStringLiteral("Plot-1");
const QString kCursor = QStringLiteral("Cursor-1");

// Cycles per record of the sine written into each array, all different, so a peak tells which
// array the record came from.
constexpr int kCyclesCH1 = 40;
constexpr int kCyclesCH2 = 100;
constexpr int kCycles750CH1 = 30;
constexpr int kCycles750CH2 = 60;

// A sine with `cycles` whole periods over the `length` samples from `first`.
void FillSine(std::span<double> array, std::size_t first, std::size_t length, int cycles,
              double amplitude = 60.0)
{
    for (std::size_t i = 0; i < array.size(); ++i) {
        const double n = static_cast<double>(i) - static_cast<double>(first);
        array[i] =
            amplitude * std::sin(2.0 * std::numbers::pi * cycles * n / static_cast<double>(length));
    }
}

class FakeSource : public SpectrumSource
{
  public:
    FakeSource()
    {
        FillSine(g.Samples.CountsCH1, 237, 1024, kCyclesCH1);
        FillSine(g.Samples.CountsCH2, 237, 1024, kCyclesCH2);
        FillSine(g.Samples.Counts750CH1, 119, 512, kCycles750CH1);
        FillSine(g.Samples.Counts750CH2, 119, 512, kCycles750CH2);
        g.ActiveChannel = 1;
    }
    const GlobalV& global() const override { return g; }
    int timeDivPosition() const override { return position; }
    bool bothTracesShown() const override { return bothShown; }
    void setRun(bool on) override { runCalls.push_back(on); }

    GlobalV g;
    int position = 2;
    bool bothShown = false;
    std::vector<bool> runCalls;
};

class SpectrumWindowTest : public ::testing::Test
{
  protected:
    QVector<double> plotted() const { return window.CWGraph1->plotYData(kPlot); }
    // Index of the largest plotted value, and the frequency it is drawn at.
    int peakIndex() const
    {
        const QVector<double> y = plotted();
        return int(std::max_element(y.begin(), y.end()) - y.begin());
    }
    double peakX() const
    {
        return window.CWGraph1->plotXFirst(kPlot) +
               peakIndex() * window.CWGraph1->plotXIncrement(kPlot);
    }
    QString readout() const { return window.CursorFreq->text(); }

    FakeSource source;
    SpectrumWindow window{source};
};

// ---- Record choice and the spectrum shown, for every window function ---------------------------

struct RecordCase
{
    const char* name;
    int channel;
    int position;
    bool bothShown;
    std::size_t length;
    float sampleTime;
    int firstBin;
    int binCount;
    int cycles; // of the array the record must come from
};

// Names the case in test listings and failure messages.
void PrintTo(const RecordCase& c, std::ostream* os)
{
    *os << c.name;
}

const RecordCase kRecordCases[] = {
    {"ch1_pos1_both", 1, 1, true, 512, 2e-6f, 2, 254, kCycles750CH1},
    {"ch1_pos1_one", 1, 1, false, 1024, 1e-6f, 2, 510, kCyclesCH1},
    {"ch1_pos2", 1, 2, false, 1024, 2e-6f, 2, 510, kCyclesCH1},
    {"ch1_pos7", 1, 7, true, 1024, 1e-4f, 2, 510, kCyclesCH1},
    {"ch1_pos14", 1, 14, false, 1024, 2e-2f, 2, 510, kCyclesCH1},
    {"ch2_pos1_both", 2, 1, true, 512, 2e-6f, 2, 254, kCycles750CH2},
    // One trace at the fastest timebase is captured into the channel 1 arrays.
    {"ch2_pos1_one", 2, 1, false, 1024, 1e-6f, 2, 510, kCyclesCH1},
    {"ch2_pos2", 2, 2, false, 1024, 2e-6f, 2, 510, kCyclesCH2},
    {"ch2_pos7", 2, 7, false, 1024, 1e-4f, 0, 512, kCyclesCH2},
};

struct WindowCase
{
    const char* name;
    QRadioButton* SpectrumWindow::*option;
};

// Names the case in test listings and failure messages.
void PrintTo(const WindowCase& c, std::ostream* os)
{
    *os << c.name;
}

const WindowCase kWindowCases[] = {
    {"BlackHarris", &SpectrumWindow::bkharis},
    {"Rectangular", &SpectrumWindow::Rect},
    {"Hamming", &SpectrumWindow::ham},
    {"Hanning", &SpectrumWindow::han},
};

class SpectrumRecordTest : public SpectrumWindowTest,
                           public ::testing::WithParamInterface<std::tuple<RecordCase, WindowCase>>
{
};

TEST_P(SpectrumRecordTest, PeakLiesAtTheSineFrequency)
{
    const auto& [c, w] = GetParam();
    source.g.ActiveChannel = c.channel;
    source.position = c.position;
    source.bothShown = c.bothShown;
    (window.*(w.option))->setChecked(true);

    window.Timer1_Timer();

    EXPECT_EQ(window.FFTRecord.size(), c.length);
    EXPECT_EQ(window.FFTSampleTime, c.sampleTime);
    EXPECT_EQ(window.FFTFirstBin, c.firstBin);
    EXPECT_EQ(window.FFTBinCount, c.binCount);
    ASSERT_EQ(plotted().size(), c.binCount);
    const double df = 1.0 / (static_cast<double>(c.length) * static_cast<double>(c.sampleTime));
    EXPECT_NEAR(window.CWGraph1->plotXIncrement(kPlot), df, df * 1e-9);
    EXPECT_EQ(peakIndex(), c.cycles - c.firstBin);
    EXPECT_NEAR(peakX(), c.cycles * df, df * 1e-6);
}

INSTANTIATE_TEST_SUITE_P(AllRecords, SpectrumRecordTest,
                         ::testing::Combine(::testing::ValuesIn(kRecordCases),
                                            ::testing::ValuesIn(kWindowCases)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) + "_" +
                                    std::get<1>(info.param).name;
                         });

TEST_F(SpectrumWindowTest, WindowFunctionShapesThePeak)
{
    // A sine between two bins leaks far into the neighbours without a window; the Black-Harris
    // window keeps the bins ten away from the peak orders of magnitude lower.
    FillSine(source.g.Samples.CountsCH1, 237, 1024 * 2, 2 * kCyclesCH1 + 1);
    auto leakage = [&] {
        window.Timer1_Timer();
        const QVector<double> y = plotted();
        return y[peakIndex() + 10] / y[peakIndex()];
    };
    const double rectangular = leakage();
    window.bkharis->setChecked(true);
    const double blackHarris = leakage();
    EXPECT_GT(rectangular, 1e-2);
    EXPECT_LT(blackHarris, 1e-4);
}

// ---- Ticks that keep what they have ------------------------------------------------------------

TEST_F(SpectrumWindowTest, NoActiveChannelRecomputesNothing)
{
    window.Timer1_Timer();
    const QVector<double> before = plotted();
    const std::vector<double> record = window.FFTRecord;
    window.btnCursor->setValue(true);
    window.CWGraph1->setCursorX(kCursor, 5000.0);
    const QString text = readout();

    source.g.ActiveChannel = 0;
    FillSine(source.g.Samples.CountsCH1, 237, 1024, 7);
    window.ham->setChecked(true);
    window.Timer1_Timer();

    EXPECT_EQ(plotted(), before);
    EXPECT_EQ(window.FFTRecord, record);
    EXPECT_EQ(readout(), text);
}

TEST_F(SpectrumWindowTest, ReferenceKeepsTheLastRecord)
{
    source.position = 7;
    window.Timer1_Timer();
    const std::vector<double> record = window.FFTRecord;
    const QVector<double> before = plotted();

    source.g.ActiveChannel = 5;
    source.position = 1;
    source.bothShown = true;
    FillSine(source.g.Samples.CountsCH1, 237, 1024, 7);
    window.Timer1_Timer();

    EXPECT_EQ(window.FFTRecord, record);
    EXPECT_EQ(window.FFTSampleTime, 1e-4f);
    EXPECT_EQ(window.FFTBinCount, 510);
    EXPECT_EQ(plotted(), before);
}

TEST_F(SpectrumWindowTest, EmptyRecordEndsTheTickSilently)
{
    source.g.ActiveChannel = 5;
    window.btnCursor->setValue(true);
    window.CursorFreq->setText(QStringLiteral("unchanged"));

    window.Timer1_Timer();

    EXPECT_TRUE(window.FFTRecord.empty());
    EXPECT_TRUE(plotted().isEmpty());
    EXPECT_EQ(readout(), QStringLiteral("unchanged"));
    // The next tick with a channel works again.
    source.g.ActiveChannel = 1;
    window.Timer1_Timer();
    EXPECT_EQ(plotted().size(), 510);
}

// ---- Cursor read-out
// -----------------------------------------------------------------------------

struct ReadoutCase
{
    bool on;
    double x;
    const char* text;
};

// Names the case in test listings and failure messages.
void PrintTo(const ReadoutCase& c, std::ostream* os)
{
    *os << (c.on ? "on" : "off") << " at " << c.x << " -> \"" << c.text << '"';
}

class CursorReadoutTest : public SpectrumWindowTest,
                          public ::testing::WithParamInterface<ReadoutCase>
{
};

TEST_P(CursorReadoutTest, TickAndDragShowTheSameRule)
{
    const ReadoutCase c = GetParam();
    window.btnCursor->setValue(c.on);
    window.CWGraph1->setCursorX(kCursor, c.x);
    window.Timer1_Timer();
    EXPECT_EQ(readout().toStdString(), c.text);

    if (c.on) {
        window.CursorFreq->clear();
        Q_EMIT window.CWGraph1->cursorChange(kCursor, c.x, 0.0);
        EXPECT_EQ(readout().toStdString(), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Readouts, CursorReadoutTest,
                         ::testing::Values(ReadoutCase{true, 999.5, "1000 Hz"},
                                           ReadoutCase{true, 1234.5, "1.234 kHz"},
                                           ReadoutCase{true, 1000.0, "1 kHz"},
                                           ReadoutCase{true, 20.5, "20 Hz"},
                                           ReadoutCase{false, 1234.5, "0.000 Hz"}));

TEST_F(SpectrumWindowTest, CursorSwitchShowsAndDoubleClickHomesTheCursor)
{
    EXPECT_FALSE(window.CWGraph1->cursorVisible(kCursor));
    window.btnCursor->setValue(true);
    EXPECT_TRUE(window.CWGraph1->cursorVisible(kCursor));
    window.CWGraph1->setCursorX(kCursor, 4321.0);
    Q_EMIT window.btnCursor->doubleClicked();
    EXPECT_EQ(window.CWGraph1->cursorX(kCursor), 0.0);
    window.btnCursor->setValue(false);
    EXPECT_FALSE(window.CWGraph1->cursorVisible(kCursor));
}

// ---- Run switch, keys, topmost, Scope
// -------------------------------------------------------------

TEST_F(SpectrumWindowTest, RunSwitchDrivesTheMainWindow)
{
    window.CWButton3->setValue(true);
    window.CWButton3->setValue(false);
    EXPECT_EQ(source.runCalls, (std::vector<bool>{true, false}));
}

TEST_F(SpectrumWindowTest, CtrlRWithRunOnSwitchesBothOff)
{
    window.CWButton3->setValue(true);
    source.runCalls.clear();

    QKeyEvent press(QEvent::KeyPress, Qt::Key_R, Qt::ControlModifier, QStringLiteral("r"));
    QApplication::sendEvent(&window, &press);

    EXPECT_FALSE(window.CWButton3->value());
    ASSERT_FALSE(source.runCalls.empty());
    EXPECT_FALSE(source.runCalls.back());
    EXPECT_TRUE(
        std::none_of(source.runCalls.begin(), source.runCalls.end(), [](bool on) { return on; }));

    QApplication::sendEvent(&window, &press);
    EXPECT_TRUE(window.CWButton3->value());
    EXPECT_TRUE(source.runCalls.back());
}

TEST_F(SpectrumWindowTest, OtherKeysDoNothing)
{
    for (const auto modifiers : {Qt::KeyboardModifiers(Qt::NoModifier),
                                 Qt::KeyboardModifiers(Qt::ControlModifier | Qt::ShiftModifier),
                                 Qt::KeyboardModifiers(Qt::AltModifier)}) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_R, modifiers);
        QApplication::sendEvent(&window, &press);
    }
    QKeyEvent other(QEvent::KeyPress, Qt::Key_T, Qt::ControlModifier);
    QApplication::sendEvent(&window, &other);
    EXPECT_FALSE(window.CWButton3->value());
    EXPECT_TRUE(source.runCalls.empty());
}

TEST_F(SpectrumWindowTest, AlwaysOnTopTogglesAndKeepsTheWindowWhereItWas)
{
    window.show();
    window.setGeometry(120, 90, 700, 420);
    const QRect place = window.geometry();

    window.CWButton2->setValue(true);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), place);

    window.CWButton2->setValue(false);
    EXPECT_FALSE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.geometry(), place);
}

TEST_F(SpectrumWindowTest, AlwaysOnTopLeavesAHiddenWindowHidden)
{
    window.CWButton2->setValue(true);
    EXPECT_TRUE(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_FALSE(window.isVisible());
}

TEST(SpectrumWindowLifetime, ScopeHidesAndUnloads)
{
    FakeSource source;
    QPointer<SpectrumWindow> window = new SpectrumWindow(source);
    window->show();
    QSignalSpy unloaded(window.data(), &SpectrumWindow::unloaded);

    window->CWButton1->setValue(true);

    EXPECT_FALSE(window->isVisible());
    EXPECT_FALSE(window->Timer1->enabled());
    EXPECT_TRUE(window->isUnloaded());
    EXPECT_EQ(unloaded.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

TEST(SpectrumWindowLifetime, ClosingUnloads)
{
    FakeSource source;
    QPointer<SpectrumWindow> window = new SpectrumWindow(source);
    window->show();
    QSignalSpy unloaded(window.data(), &SpectrumWindow::unloaded);
    window->close();
    EXPECT_EQ(unloaded.count(), 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

// ---- Controls as loaded ------------------------------------------------------------------------

TEST_F(SpectrumWindowTest, LoadsWithItsControlsAndTexts)
{
    EXPECT_EQ(window.objectName(), QStringLiteral("FFT"));
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Kestrovue FFT"));
    EXPECT_TRUE(window.Rect->isChecked());
    EXPECT_EQ(window.selectedWindow(), WindowFunction::Rectangular);
    EXPECT_TRUE(window.Timer1->enabled());
    EXPECT_EQ(window.Timer1->interval(), 100);
    EXPECT_TRUE(window.CWGraph1->hasPlot(kPlot));
    EXPECT_TRUE(window.CWGraph1->hasCursor(kCursor));
    EXPECT_FALSE(window.fftVERT->value());
    EXPECT_TRUE(window.fftVERT->isHidden());
    EXPECT_TRUE(window.lblLinearRMS->isHidden());
    EXPECT_TRUE(window.lblDbvRMS->isHidden());

    struct Text
    {
        const char* control;
        QString text;
        QString toolTip;
    };
    const Text texts[] = {
        {"CWGraph1", "", "FFT display window"},
        {"Window", "Windowing", ""},
        {"bkharis", "Black-Harris", "Applies a \"Black-Harris\" window to the FFT"},
        {"Rect", "Rectangular", "Applies a \"Rectangular\" window to the FFT"},
        {"ham", "Hamming", "Applies a \"Hamming\" window to the FFT"},
        {"han", "Hanning", "Applies a \"Hanning\" window to the FFT"},
        {"Frame1", "Cursor", ""},
        {"btnCursor", "", "Switches Cursor On and Off"},
        {"Label2", "Frequency", ""},
        {"CursorFreq", "0.000 Hz", "Cursor frequency"},
        {"Frame2", "Always on top", ""},
        {"CWButton2", "", "On = This window will always be on top"},
        {"CWButton1", "Scope", "Switches to oscilloscope view"},
        {"CWButton3", "RUN / STOP", "Acquires and stops acquiring data  [Ctrl+R]"},
    };
    for (const Text& t : texts) {
        SCOPED_TRACE(t.control);
        auto* control = window.findChild<QWidget*>(QString::fromLatin1(t.control));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->toolTip(), t.toolTip);
        QString text;
        if (auto* box = qobject_cast<QGroupBox*>(control))
            text = box->title();
        else if (auto* option = qobject_cast<QRadioButton*>(control))
            text = option->text();
        else if (auto* label = qobject_cast<QLabel*>(control))
            text = label->text();
        else if (auto* button = qobject_cast<CwButton*>(control))
            text = button->currentText();
        EXPECT_EQ(text, t.text);
    }
}

TEST(HertzAxisLabel, SiPrefixes)
{
    EXPECT_EQ(HertzAxisLabel(0.0), "0Hz");
    EXPECT_EQ(HertzAxisLabel(500.0), "500Hz");
    EXPECT_EQ(HertzAxisLabel(48828.125), "48.8kHz");
    EXPECT_EQ(HertzAxisLabel(250000.0), "250kHz");
    EXPECT_EQ(HertzAxisLabel(1.2e6), "1.2MHz");
}

// ---- Picture ---------------------------------------------------------------------------------

TEST(SpectrumWindowPicture, RendersASineSpectrum)
{
    FakeSource source;
    // A 31.25 kHz sine with its third and fifth harmonics and a little noise, 2 us per sample.
    auto& counts = source.g.Samples.CountsCH1;
    unsigned seed = 12345;
    for (std::size_t i = 0; i < counts.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        const double noise = (static_cast<double>((seed >> 16) & 0x7FFF) / 32768.0 - 0.5) * 1.5;
        const double t = static_cast<double>(i) * 2e-6;
        const double w = 2.0 * std::numbers::pi * 31250.0 * t;
        counts[i] =
            std::round(70.0 * std::sin(w) + 14.0 * std::sin(3 * w) + 6.0 * std::sin(5 * w) + noise);
    }
    SpectrumWindow window(source);
    window.bkharis->setChecked(true);
    window.show();
    window.Timer1_Timer();
    window.Timer1_Timer(); // the X axis fits the plotted spectrum on the next tick
    window.btnCursor->setValue(true);
    window.CWGraph1->setCursorX(kCursor, 31250.0);
    window.Timer1_Timer();
    EXPECT_EQ(window.CursorFreq->text(), QStringLiteral("31.25 kHz"));

    const QString folder = test::binaryDir() + QStringLiteral("/screenshots");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QImage picture = window.grab().toImage();
    EXPECT_FALSE(picture.isNull());
    EXPECT_TRUE(picture.save(folder + QStringLiteral("/spectrum.png")));
}

} // namespace
} // namespace kv
