// The settings round trip through the real program: kestrovue, copied into a fresh program
// folder, runs on a private X server with the simulator program on COM10. A user changes the
// time/div, the trigger edge, channel 1 and its volts/div from the menus, runs, and quits; the
// autosave file holds the changes. Started again, the program comes up in the same state: it
// sends the same command frame after Run, and it writes the same autosave file on its next exit.
#include "e2e/real_program_fixture.h"
#include "files/settings_file.h"
#include "instrument-sim/simulated_instrument.h"

#include <QElapsedTimer>
#include <gtest/gtest.h>

namespace kv::test {
namespace {

// The Options panel's CLOSE button (CWButton26), centre, in the face's coordinates: the panel
// stands at (8, 8), the button at (504, 414) in it, 120 x 32. The face (590 high) ends the
// window; the menu bar is above it.
constexpr int FaceHeight = 590;
constexpr QPoint OptionsClose{8 + 504 + 60, 8 + 414 + 16};

class RoundTrip : public RealProgram<>
{
  protected:
    void SetUp() override
    {
        RealProgram::SetUp();
        if (setUpStopped())
            return;
        ASSERT_TRUE(startSimLoggingFrames());
    }

    // Closes the splash window with a key, as a user does, and waits for the main window.
    QString mainWindow()
    {
        QString main;
        bool keyed = false;
        XSession::waitUntil(
            [&] {
                for (const XSession::Window& w : x_.visibleWindows()) {
                    if (w.title == MainTitle)
                        main = w.id;
                    else if (w.title == AppTitle && !keyed)
                        keyed = x_.keys(w.id, {QStringLiteral("space")});
                }
                return !main.isEmpty();
            },
            ShowDeadlineMs);
        return main;
    }

    // Waits (at most 3 s) until no frame has come for 300 ms: a pass in flight when Run went
    // off has ended.
    void waitQuiet()
    {
        int count = -1;
        QElapsedTimer sinceChange;
        XSession::waitUntil(
            [&] {
                const int now = int(frames().size());
                if (now != count) {
                    count = now;
                    sinceChange.start();
                }
                return sinceChange.elapsed() >= 300;
            },
            3000);
    }

    // Run on (Ctrl+R), the first frame the instrument receives after it, Run off again.
    QString frameAfterRun(const QString& main)
    {
        waitQuiet();
        const int before = int(frames().size());
        EXPECT_TRUE(x_.keys(main, {QStringLiteral("ctrl+r")}));
        QString frame;
        XSession::waitUntil(
            [&] {
                const QStringList now = frames();
                if (now.size() > before)
                    frame = now[before];
                return !frame.isEmpty();
            },
            5000);
        EXPECT_TRUE(x_.keys(main, {QStringLiteral("ctrl+r")}));
        return frame;
    }

    static std::string line(const SettingsFileContent& c, int number)
    {
        return QString::fromStdString(c.line(number)).trimmed().toStdString();
    }

    static SimFrame decoded(const QString& hex)
    {
        const QByteArray bytes = QByteArray::fromHex(hex.toLatin1());
        SimulatedInstrument::Frame frame{};
        std::copy_n(bytes.begin(), std::min<int>(bytes.size(), frame.size()), frame.begin());
        return SimFrame::decode(frame);
    }
};

TEST_F(RoundTrip, SettingsChangedFromTheMenusComeBackAfterARestart)
{
    namespace L = SettingsLine;

    // First start: no autosave file. Decline the probe calibration, close the splash window
    // and the Options panel that a first start opens.
    ASSERT_NO_FATAL_FAILURE(startProgram());
    const QString probe = x_.waitForWindow(ProbeTitle, ShowDeadlineMs);
    ASSERT_FALSE(probe.isEmpty()) << "no probe calibration question at the first start";
    ASSERT_TRUE(x_.keys(probe, {QStringLiteral("alt+n")}));
    QString main = mainWindow();
    ASSERT_FALSE(main.isEmpty()) << "the main window did not show; shown: "
                                 << x_.titles().toStdString();
    const int height = x_.height(main);
    ASSERT_GT(height, FaceHeight);
    ASSERT_TRUE(x_.click(main, OptionsClose + QPoint(0, height - FaceHeight)));

    const QString defaults = frameAfterRun(main);
    ASSERT_EQ(defaults.size(), 18) << "no frame after Run with the start-up settings";

    // Horizontal > 2ms (the sixth item), Trigger > Edge > Falling, Channel > Channel 1,
    // Vertical > Channel 1 > 1V (the fourth item).
    const QString down = QStringLiteral("Down");
    ASSERT_TRUE(x_.keys(
        main, {QStringLiteral("alt+h"), down, down, down, down, down, QStringLiteral("Return")}));
    ASSERT_TRUE(x_.keys(main, {QStringLiteral("alt+t"), QStringLiteral("e"), QStringLiteral("f")}));
    ASSERT_TRUE(x_.keys(main, {QStringLiteral("alt+c"), QStringLiteral("1")}));
    ASSERT_TRUE(x_.keys(main, {QStringLiteral("alt+v"), QStringLiteral("1"), down, down, down,
                               QStringLiteral("Return")}));
    const QString changed = frameAfterRun(main);
    ASSERT_EQ(changed.size(), 18) << "no frame after Run with the changed settings";
    EXPECT_NE(changed, defaults);
    const SimFrame sent = decoded(changed);
    EXPECT_EQ(sent.timebaseCode, 7) << "2 ms/div";
    EXPECT_FALSE(sent.risingEdge);
    EXPECT_TRUE(sent.ch1Enabled);
    EXPECT_TRUE(sent.ch1HighRange) << "1 V/div is in the high range";

    ASSERT_NO_FATAL_FAILURE(quit(main, {QStringLiteral("ctrl+e")}));
    const SettingsFileContent first = autosave();
    ASSERT_EQ(first.count, SettingsFileLines);
    EXPECT_EQ(line(first, L::TimeDiv), "6");
    EXPECT_EQ(line(first, L::TimebaseCode), "00111");
    EXPECT_EQ(line(first, L::TrigEdgeText), "Falling");
    EXPECT_EQ(line(first, L::TrigEdge), "False");
    EXPECT_EQ(line(first, L::CH1EnableBits), "0001");
    EXPECT_EQ(line(first, L::ActiveChannel), "1");
    EXPECT_EQ(line(first, L::VdivIndexCH1), "4");
    EXPECT_EQ(line(first, L::VdivCH1), "1");
    EXPECT_EQ(line(first, L::CH1RangeBit), "1");
    EXPECT_EQ(line(first, L::PeriodVAL), "1V");
    EXPECT_EQ(line(first, L::FirstRun), "False");

    // Second start: the autosave file is loaded; no calibration question, no Options panel.
    ASSERT_NO_FATAL_FAILURE(startProgram());
    main = mainWindow();
    ASSERT_FALSE(main.isEmpty()) << "the main window did not show; shown: "
                                 << x_.titles().toStdString();
    EXPECT_TRUE(x_.visibleWindow(ProbeTitle).isEmpty()) << "calibration offered again";
    EXPECT_EQ(frameAfterRun(main), changed) << "the restarted program sends another frame";

    // File > Exit from the menu this time; the state written is the state loaded. Two fields
    // are recomputed by the load and may differ: the trigger level in counts (127 from
    // start-up until the trigger is first worked out, 127.5 after; the frame carries 128 for
    // both) and the volts/div before the latest change (the knob set by the load).
    ASSERT_NO_FATAL_FAILURE(quit(main, {QStringLiteral("alt+f"), QStringLiteral("e")}));
    const SettingsFileContent second = autosave();
    ASSERT_EQ(second.count, SettingsFileLines);
    for (int n = 1; n <= SettingsFileLines; ++n) {
        if (n != L::TrigLevelCH1 && n != L::VdivOldCH1) {
            EXPECT_EQ(second.line(n), first.line(n)) << "line " << n;
        }
    }
}

} // namespace
} // namespace kv::test
