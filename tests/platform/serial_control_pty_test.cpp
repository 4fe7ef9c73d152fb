#include "e2e/sim_program.h"
#include "instrument-sim/simulated_instrument.h"
#include "platform/qt_serial_control.h"
#include "support/test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <gtest/gtest.h>
#include <memory>
#include <sys/resource.h>

namespace kv {
namespace {

constexpr std::array<std::uint8_t, 9> StartupFrame{0xAA, 0x80, 0x30, 0x14, 0x02,
                                                   0xF0, 0x05, 0xEF, 0x03};

// The simulator program, build/instrument-sim.
QString simPath()
{
    return test::binaryDir() + QStringLiteral("/instrument-sim");
}

// The serial control of a program folder on COM port `port`, set up as the program opens it.
struct PortOnPty : QtSerialControl
{
    explicit PortOnPty(const QString& folder, int port = 10) : QtSerialControl(folder)
    {
        PortNumber(port);
        PortSetup();
    }
};

void send(SerialControl& serial, const std::array<std::uint8_t, 9>& frame)
{
    for (std::uint8_t b : frame)
        serial.WriteByte(b);
}

// Polls as the acquisition tick does until n bytes are waiting or 5 s have passed.
int waitForBytes(SerialControl& serial, int n)
{
    QElapsedTimer timer;
    timer.start();
    int waiting = serial.BytesWaiting();
    while (waiting < n && timer.elapsed() < 5000) {
        QThread::msleep(2);
        waiting = serial.BytesWaiting();
    }
    return waiting;
}

std::string readRecord(SerialControl& serial)
{
    std::string record = serial.ReadBytes(751);
    for (int i = 0; i < 3; ++i)
        record += serial.ReadBytes(750);
    return record;
}

// The identification of the link watch: PortReset, then reset byte, PortReset, PortSetup.
std::string identify(SerialControl& serial)
{
    serial.PortReset();
    serial.WriteByte('E');
    serial.PortReset();
    serial.PortSetup();
    if (serial.BytesWaiting() != 0)
        serial.FlushInput();
    serial.WriteByte('?');
    return serial.ReadBytes(7);
}

class SerialOverPty : public ::testing::Test
{
  protected:
    void SetUp() override { ASSERT_TRUE(folder.isValid()); }
    QString link(int port) const
    {
        return folder.path() + QStringLiteral("/dosdevices/com%1").arg(port);
    }

    QTemporaryDir folder;
    SimProgram sim{simPath()};
};

// A sine clipped at both ends of the range: every byte value 0..255 crosses the line.
const QStringList FullRangeSine{QStringLiteral("--ch1"), QStringLiteral("sine:1000:2.5:0"),
                                QStringLiteral("--ignore-enable")};

TEST_F(SerialOverPty, IdentityAndRecordArriveByteForByte)
{
    ASSERT_TRUE(sim.start(folder.path(), FullRangeSine));
    PortOnPty serial(folder.path());
    ASSERT_TRUE(serial.isOpen());
    EXPECT_EQ(serial.openDevice(), link(10));

    EXPECT_EQ(identify(serial), "OC10351");

    serial.ReplyLength(3001);
    serial.FlushInput();
    send(serial, StartupFrame);
    ASSERT_GE(waitForBytes(serial, 3001), 3001);
    const std::string record = readRecord(serial);
    EXPECT_EQ(serial.BytesWaiting(), 0);

    // The first record of a fresh instrument with the same signals.
    SimulatedInstrument expected(std::make_shared<ManualSimClock>());
    expected.setSignal(1, {SimWaveform::Sine, 1000.0, 2.5, 0.0});
    expected.setHonourChannelEnable(false);
    const std::optional<std::string> wanted = expected.capture(SimFrame::decode(StartupFrame));
    ASSERT_TRUE(wanted);
    ASSERT_EQ(record.size(), 3001u);
    EXPECT_EQ(record[0], 'U');
    EXPECT_EQ(record, *wanted);
    EXPECT_NE(record.find('\0'), std::string::npos);
    EXPECT_NE(record.find('\xFF'), std::string::npos);
}

TEST_F(SerialOverPty, ArrivalIsReportedUntilTheReceiverGoes)
{
    ASSERT_TRUE(sim.start(folder.path()));
    PortOnPty serial(folder.path());
    ASSERT_TRUE(serial.isOpen());
    int arrivals = 0;
    auto receiver = std::make_unique<QObject>();
    serial.onArrival(receiver.get(), [&arrivals] { ++arrivals; });
    serial.WriteByte('?');
    QDeadlineTimer deadline(5000);
    while (arrivals == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    EXPECT_GT(arrivals, 0);
    EXPECT_EQ(serial.ReadBytes(7), "OC10351");

    receiver.reset();
    const int before = arrivals;
    serial.WriteByte('?');
    EXPECT_EQ(serial.ReadBytes(7), "OC10351");
    QCoreApplication::processEvents();
    EXPECT_EQ(arrivals, before);
}

TEST_F(SerialOverPty, ByteWrittenBetweenResetAndSetupGoesOut)
{
    ASSERT_TRUE(sim.start(folder.path()));
    PortOnPty serial(folder.path());
    serial.PortReset();
    serial.WriteByte('?');
    serial.PortSetup();
    EXPECT_EQ(serial.ReadBytes(7), "OC10351");
}

TEST_F(SerialOverPty, ChangedPortNumberOpensTheOtherDevice)
{
    SimProgram other(simPath());
    ASSERT_TRUE(sim.start(folder.path()));
    ASSERT_TRUE(
        other.start(folder.path(), {QStringLiteral("--identity"), QStringLiteral("OX12345")}, 11));
    PortOnPty serial(folder.path());
    EXPECT_EQ(identify(serial), "OC10351");
    serial.PortNumber(11);
    EXPECT_EQ(identify(serial), "OX12345");
    EXPECT_EQ(serial.openDevice(), link(11));
}

TEST_F(SerialOverPty, SilentDeviceTimesOutEmpty)
{
    ASSERT_TRUE(sim.start(folder.path(), {QStringLiteral("--silence")}));
    PortOnPty serial(folder.path());
    serial.WriteByte('?');
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(serial.ReadBytes(7), "");
    EXPECT_GE(timer.elapsed(), QtSerialControl::FirstByteTimeoutMs - 10);
    EXPECT_TRUE(serial.isOpen());
}

// The identity's read, as the link watch makes it on every tick: it gets what the device sends,
// a reply cut short included, and a silent or cut-short device holds the caller for the short
// reply's wait, not a record's time-outs (100 ms for the first byte, 1 s in all).
struct IdentityCase
{
    const char* name;
    QStringList simArgs;
    std::string reply;
};

class IdentityOverPty : public SerialOverPty, public ::testing::WithParamInterface<IdentityCase>
{
};

TEST_P(IdentityOverPty, ReadEndsWithinTheShortReplyWait)
{
    ASSERT_TRUE(sim.start(folder.path(), GetParam().simArgs));
    PortOnPty serial(folder.path());
    for (int round = 0; round < 3; ++round) {
        serial.ReplyLength(7);
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(identify(serial), GetParam().reply) << round;
        EXPECT_LT(timer.elapsed(), QtSerialControl::FirstByteTimeoutMs) << round;
    }
    EXPECT_TRUE(serial.isOpen());
}

INSTANTIATE_TEST_SUITE_P(
    Replies, IdentityOverPty,
    ::testing::Values(IdentityCase{"Whole", {}, "OC10351"},
                      IdentityCase{"Silent", {QStringLiteral("--silence")}, ""},
                      IdentityCase{"CutShort",
                                   {QStringLiteral("--identity"), QStringLiteral("OC1035")},
                                   "OC1035"}),
    [](const ::testing::TestParamInfo<IdentityCase>& info) { return info.param.name; });

TEST_F(SerialOverPty, FarEndHangsUpInTheMiddleOfARecordAndComesBack)
{
    ASSERT_TRUE(
        sim.start(folder.path(), {QStringLiteral("--hang-up-after"), QStringLiteral("1500"),
                                  QStringLiteral("--hang-up-pause"), QStringLiteral("200")}));
    PortOnPty serial(folder.path());
    send(serial, StartupFrame);
    const std::string first = serial.ReadBytes(751);
    const std::string second = serial.ReadBytes(750);
    // What came before the line dropped (all 1500 bytes unless the system lost some on the way).
    EXPECT_LE(first.size() + second.size(), 1500u);
    ASSERT_FALSE(first.empty());
    EXPECT_EQ(first[0], 'U');
    EXPECT_EQ(serial.ReadBytes(750), "");
    EXPECT_EQ(serial.ReadBytes(750), "");
    EXPECT_EQ(serial.BytesWaiting(), 0);
    EXPECT_FALSE(serial.isOpen());
    serial.WriteByte('?'); // dropped, quietly
    serial.PortReset();

    ASSERT_FALSE(sim.nextSlave().isEmpty()); // the far end is back
    EXPECT_EQ(identify(serial), "OC10351");
    EXPECT_TRUE(serial.isOpen());
}

TEST_F(SerialOverPty, ProgramGoneThenRestartedIsReopened)
{
    ASSERT_TRUE(sim.start(folder.path()));
    PortOnPty serial(folder.path());
    EXPECT_EQ(identify(serial), "OC10351");

    sim.stop();
    EXPECT_EQ(sim.exitCode(), 0);
    EXPECT_FALSE(QFileInfo(link(10)).isSymLink()); // removed on exit
    EXPECT_EQ(identify(serial), "");
    EXPECT_FALSE(serial.isOpen());

    SimProgram again(simPath());
    ASSERT_TRUE(again.start(folder.path()));
    EXPECT_EQ(identify(serial), "OC10351");
}

// CPU seconds (user + system) this process has used.
double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return double(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the event loop for `ms`, sleeping between events as the program's own loop does.
void runEventLoop(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

// With Run off and the link watch idle nothing calls the control: the hang-up alone must close
// the port, or the event loop is woken by it without end and spins a core.
TEST_F(SerialOverPty, HungUpPortClosesItselfAndIsNotPolledInALoop)
{
    ASSERT_TRUE(sim.start(folder.path()));
    PortOnPty serial(folder.path());
    EXPECT_EQ(identify(serial), "OC10351");

    sim.stop();
    const double cpuBefore = cpuSeconds();
    runEventLoop(1000);
    const double cpuUsed = cpuSeconds() - cpuBefore;
    EXPECT_FALSE(serial.isOpen());
    EXPECT_LT(cpuUsed, 0.3) << "seconds of CPU in one second of the idle event loop";

    SimProgram again(simPath()); // plugged in again: the next identification opens it
    ASSERT_TRUE(again.start(folder.path()));
    EXPECT_EQ(identify(serial), "OC10351");
    EXPECT_TRUE(serial.isOpen());
}

TEST_F(SerialOverPty, FarEndClosedKeepsTheProgramServing)
{
    ASSERT_TRUE(sim.start(folder.path()));
    for (int round = 0; round < 2; ++round) {
        PortOnPty serial(folder.path());
        EXPECT_EQ(identify(serial), "OC10351") << round;
    } // the slave is closed after each round: the program sees EIO and goes on
}

class MissingPort : public ::testing::Test
{
  protected:
    void expectQuietlyClosed(QtSerialControl& serial)
    {
        serial.PortSetup();
        EXPECT_FALSE(serial.isOpen());
        serial.WriteByte('?');
        EXPECT_EQ(serial.BytesWaiting(), 0);
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(serial.ReadBytes(751), "");
        EXPECT_LT(timer.elapsed(), QtSerialControl::TotalTimeoutMs);
        serial.FlushInput();
        serial.PortReset();
        EXPECT_FALSE(serial.isOpen());
    }
    QTemporaryDir folder;
};

TEST_F(MissingPort, DeviceOfTheFixedMapThatIsNotThere)
{
    ASSERT_FALSE(QFile::exists(QStringLiteral("/dev/ttyACM118")));
    QtSerialControl serial(folder.path());
    serial.PortNumber(256);
    expectQuietlyClosed(serial);
}

TEST_F(MissingPort, DanglingDosdevicesLink)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("dosdevices")));
    ASSERT_TRUE(QFile::link(folder.path() + QStringLiteral("/nothing"),
                            folder.path() + QStringLiteral("/dosdevices/com10")));
    QtSerialControl serial(folder.path());
    serial.PortNumber(10);
    expectQuietlyClosed(serial);
}

TEST_F(MissingPort, PortNumberOutsideTheMap)
{
    QtSerialControl serial(folder.path());
    serial.PortNumber(0);
    expectQuietlyClosed(serial);
    serial.PortNumber(300);
    expectQuietlyClosed(serial);
}

TEST_F(MissingPort, FileThatIsNoSerialDevice)
{
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("dosdevices")));
    QFile plain(folder.path() + QStringLiteral("/dosdevices/com4"));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    QtSerialControl serial(folder.path());
    serial.PortNumber(4);
    expectQuietlyClosed(serial);
}

} // namespace
} // namespace kv
