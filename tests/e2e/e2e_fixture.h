#pragma once

// A headless main window on the real serial control, its COM port 10 linked to the simulator
// program on a pseudo-terminal in a temporary program folder. Acquisition runs from the main
// window's own 1 ms timer while the test pumps the event loop. Header only.

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_timer.h"
#include "e2e/sim_program.h"
#include "link/acquisition.h"
#include "platform/qt_serial_control.h"
#include "platform/services.h"
#include "support/service_doubles.h"
#include "support/test_support.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace kv::test {

class EndToEnd : public ::testing::Test
{
  protected:
    // Channel 1: 1 kHz sine of 0.5 V peak; channel 2: 500 Hz sine of 0.25 V peak. At 100 mV/div
    // (a 4 V span) their counts stay within +-32 and +-16 and move by a few counts a sample.
    static constexpr double Ch1PeakCounts = 0.5 * 255 / 4;
    static constexpr double Ch2PeakCounts = 0.25 * 255 / 4;
    static constexpr double Unset = 999.0;

    EndToEnd()
        : serial_(dir_.path()), printers_(QDir(dir_.path()).filePath(QStringLiteral("p.pdf"))),
          sim_(binaryDir() + QStringLiteral("/instrument-sim"))
    {
    }

    void TearDown() override
    {
        if (main_) {
            main_->CWButton1->setValue(false);
            EXPECT_EQ(dialogs_.remaining(), 0) << "scripted dialog answers were not used";
        }
        main_.reset();
        sim_.stop();
    }

    static QStringList signalArgs()
    {
        return {QStringLiteral("--ch1"), QStringLiteral("sine:1000:0.5:0"), QStringLiteral("--ch2"),
                QStringLiteral("sine:500:0.25:0")};
    }

    // The simulator with the test's signals and the given fault switches.
    bool startSim(const QStringList& faults = {})
    {
        return sim_.start(folder(), signalArgs() + faults);
    }

    // Builds the window on the real serial control and runs start-up, which identifies the
    // instrument and, on this first start, offers the probe calibration (declined).
    Main& load(bool instrumentAnswers = true)
    {
        main_ = std::make_unique<Main>(
            MainServices{serial_, dialogs_, shell_, registry_, systemInfo_, printers_, folder()});
        if (instrumentAnswers)
            dialogs_.answer(MsgResult::No);
        main_->Form_Load();
        return *main_;
    }

    // Both channels on, channel 1 selected, 1 ms/div: as a user sets them from the menus.
    void prepare()
    {
        w().mnuC2->trigger();
        w().mnuC1->trigger();
        w().mnuH1ms->trigger();
    }

    void run() { w().CWButton1->setValue(true); }
    void stop() { w().CWButton1->setValue(false); }
    bool running() { return w().CWButton1->value(); }

    // Pumps the event loop (the acquisition timer among it) until `done` or `ms` have passed.
    // Returns whether `done` came true; notes the longest time one round of events took.
    bool pumpUntil(const std::function<bool()>& done, int ms)
    {
        QElapsedTimer total;
        total.start();
        while (total.elapsed() < ms) {
            QElapsedTimer round;
            round.start();
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            longestRoundMs_ = std::max(longestRoundMs_, round.elapsed());
            if (done && done())
                return true;
        }
        return done && done();
    }
    void pump(int ms) { pumpUntil({}, ms); }
    qint64 longestRoundMs() const { return longestRoundMs_; }
    void resetLongestRound() { longestRoundMs_ = 0; }

    // Marks the record arrays, so that a decoded record shows.
    void markUnset()
    {
        w().global.Samples.CountsCH1.fill(Unset);
        w().global.Samples.CountsCH2.fill(Unset);
    }
    bool decoded()
    {
        const auto& a = w().global.Samples;
        return a.CountsCH1.front() != Unset && a.CountsCH1.back() != Unset &&
               a.CountsCH2.front() != Unset && a.CountsCH2.back() != Unset;
    }
    // Waits (at most `ms`) for the next record to be decoded.
    bool nextRecord(int ms = 3000)
    {
        markUnset();
        return pumpUntil([this] { return decoded(); }, ms);
    }

    // A record of the two sines, whole and unmixed: every count within the channel's peak and
    // moving by a few counts a sample, both traces plotted as decoded.
    ::testing::AssertionResult showsGoodRecord()
    {
        const auto& a = w().global.Samples;
        if (auto r = goodChannel(a.CountsCH1, Ch1PeakCounts, "CH1"); !r)
            return r;
        if (auto r = goodChannel(a.CountsCH2, Ch2PeakCounts, "CH2"); !r)
            return r;
        if (w().CWGraph1->plotYData(QStringLiteral("PCH1")) !=
                QVector<double>(a.TraceCH1.begin(), a.TraceCH1.end()) ||
            w().CWGraph1->plotYData(QStringLiteral("PCH2")) !=
                QVector<double>(a.TraceCH2.begin(), a.TraceCH2.end()))
            return ::testing::AssertionFailure() << "the plots are not the decoded record";
        return ::testing::AssertionSuccess();
    }

    Main& w() { return *main_; }
    QString folder() const { return dir_.path(); }
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    SimProgram& sim() { return sim_; }
    QtSerialControl& serial() { return serial_; }
    ScriptedDialogs& dialogs() { return dialogs_; }

  private:
    static ::testing::AssertionResult goodChannel(const std::array<double, 1500>& counts,
                                                  double peak, const char* name)
    {
        double largestStep = 0;
        for (std::size_t i = 0; i < counts.size(); ++i) {
            if (std::fabs(counts[i]) > peak + 2)
                return ::testing::AssertionFailure()
                       << name << " count " << counts[i] << " at " << i << " beyond the signal";
            if (i > 0)
                largestStep = std::max(largestStep, std::fabs(counts[i] - counts[i - 1]));
        }
        const double spread = *std::max_element(counts.begin(), counts.end()) -
                              *std::min_element(counts.begin(), counts.end());
        if (largestStep > 8)
            return ::testing::AssertionFailure() << name << " jumps by " << largestStep;
        if (spread < peak)
            return ::testing::AssertionFailure() << name << " spans only " << spread;
        return ::testing::AssertionSuccess();
    }

    QTemporaryDir dir_;
    QtSerialControl serial_;
    ScriptedDialogs dialogs_;
    RecordingShell shell_;
    FixedRegistry registry_;
    FixedSystemInfo systemInfo_;
    PdfPrinterFactory printers_;
    SimProgram sim_;
    std::unique_ptr<Main> main_;
    qint64 longestRoundMs_ = 0;
};

} // namespace kv::test
