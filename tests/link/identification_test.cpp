#include "link/identification.h"
#include "support/main_fixture.h"

#include <QTest>
#include <set>

namespace kv::test {
namespace {

// ---- The identity record
// -------------------------------------------------------------------------

struct ReplyCase
{
    const char* reply;
    bool present;
    const char* model; // nullptr: the Model line stays
    const char* firmware;
    const char* manufacture; // nullptr: the Manufacture line stays
};

// Names the case in test listings and failure messages.
void PrintTo(const ReplyCase& c, std::ostream* os)
{
    *os << '"' << c.reply << '"';
}

class IdentityReplies : public ::testing::TestWithParam<ReplyCase>
{
};

TEST_P(IdentityReplies, GiveTheSplashLines)
{
    const ReplyCase c = GetParam();
    const IdentityFields f = ParseIdentity(c.reply);
    EXPECT_EQ(InstrumentPresent(f), c.present);
    const ModelInfo model = ModelFor(f.ModelCode);
    if (c.model)
        EXPECT_EQ(model.modelLine, QString::fromLatin1(c.model));
    else
        EXPECT_FALSE(model.modelLine.has_value());
    EXPECT_EQ(FirmwareLine(f), QString::fromLatin1(c.firmware));
    if (c.manufacture)
        EXPECT_EQ(ManufactureLine(f), QString::fromLatin1(c.manufacture));
    else
        EXPECT_FALSE(ManufactureLine(f).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IdentityReplies,
    ::testing::Values(
        ReplyCase{"OC10351", true, "Kestrovue ", "Firmware Rev: 1.0.3",
                  "Date Manufactured: May '02"},
        ReplyCase{"OC103C9", true, "Kestrovue ", "Firmware Rev: 1.0.3",
                  "Date Manufactured: Dec '010"},
        ReplyCase{"OX210A0", true, "USB Oscilloscope Rev 2", "Firmware Rev: 2.1.0",
                  "Date Manufactured: Oct '01"},
        ReplyCase{"oC10351", false, "Kestrovue ", "Firmware Rev: 1.0.3",
                  "Date Manufactured: May '02"},
        // Missing characters stay empty or 0; a non-digit counts 0; an unknown month stays.
        ReplyCase{"OC1", true, "Kestrovue ", "Firmware Rev: 1.0.0", nullptr},
        ReplyCase{"OCx2 D7", true, "Kestrovue ", "Firmware Rev: 0.2.0", nullptr},
        ReplyCase{"OZ10351", true, nullptr, "Firmware Rev: 1.0.3", "Date Manufactured: May '02"},
        ReplyCase{"", false, nullptr, "Firmware Rev: 0.0.0", nullptr}));

TEST(IdentityFields, FieldsOfAFullReply)
{
    const IdentityFields f = ParseIdentity("OC10351");
    EXPECT_EQ(f.PresenceChar, "O");
    EXPECT_EQ(f.ModelCode, "C");
    EXPECT_EQ(f.FirmwareRev1, 1);
    EXPECT_EQ(f.FirmwareRev2, 0);
    EXPECT_EQ(f.FirmwareRev3, 3);
    EXPECT_EQ(f.MonthCode, "5");
    EXPECT_EQ(f.YearDigit, 1);
}

TEST(ModelTable, GainsByModel)
{
    EXPECT_EQ(ModelFor("C").gains, ModelGains::Standard);
    EXPECT_EQ(ModelFor("X").gains, ModelGains::Rev2);
    EXPECT_EQ(ModelFor("c").gains, ModelGains::Keep);
    EXPECT_EQ(ModelFor("Y").gains, ModelGains::Keep);
    EXPECT_EQ(ModelFor("").gains, ModelGains::Keep);
}

TEST(ModelTable, TwentyTwoRefusedCodesEachNameAnotherModel)
{
    const std::string codes = "ABDEFGHIJKLMN0PQRSTUVW";
    ASSERT_EQ(codes.size(), 22u);
    std::set<QString> lines;
    for (const char code : codes) {
        const ModelInfo model = ModelFor(std::string(1, code));
        ASSERT_TRUE(model.modelLine.has_value()) << code;
        const QString line = *model.modelLine;
        EXPECT_EQ(model.gains, ModelGains::Keep) << code;
        EXPECT_TRUE(line.startsWith("Kestrovue ")) << line.toStdString();
        EXPECT_TRUE(line.endsWith("  Hardware Not Supported")) << line.toStdString();
        const QString identifier = line.mid(10, line.size() - 10 - 24);
        EXPECT_FALSE(identifier.trimmed().isEmpty()) << code;
        EXPECT_NE(identifier, "R7T") << code;
        lines.insert(line);
    }
    EXPECT_EQ(lines.size(), 22u);
    // Codes outside the table leave the line alone.
    for (const char* other : {"Y", "Z", "1", "9", "a", "O"})
        EXPECT_FALSE(ModelFor(other).modelLine.has_value()) << other;
}

TEST(AbsentInstrument, NothingOrSomethingElse)
{
    EXPECT_EQ(AbsentModelLine(""), "Hardware Not Found");
    EXPECT_EQ(AbsentModelLine("oC10351"), "Hardware Not Supported");
}

// ---- The identification in the window ----------------------------------------------------------

class Identify : public MainFixture
{
  protected:
    // Start-up with an instrument answering: the first-run question is answered No.
    Main& loadAnswering(const char* identity = "OC10351")
    {
        instrument().setIdentity(identity);
        dialogs().answer(MsgResult::No);
        return load();
    }
    Main& loadSilent()
    {
        instrument().faults().silence = true;
        return load();
    }
    SplashWindow& splash() { return main().frmSplash(); }
};

TEST_F(Identify, InstrumentAtStartUp)
{
    Main& m = loadAnswering();
    ASSERT_EQ(dialogs().requests().size(), 1u);
    const auto& q = dialogs().last();
    EXPECT_EQ(q.text, "Would you like the calibtare the probes?");
    EXPECT_EQ(q.title, "Probe Setup");
    EXPECT_EQ(q.buttons, MsgButtons::YesNo);
    EXPECT_EQ(q.icon, MsgIcon::Question);
    EXPECT_FALSE(m.global.FirstRun.toBoolean());

    EXPECT_EQ(m.CheckCOM->interval(), 3000);
    EXPECT_EQ(m.CWButton7->offColor(), 65380);
    EXPECT_EQ(splash().CWButton7->offColor(), 65380);
    EXPECT_EQ(splash().Model->text(), "Kestrovue ");
    EXPECT_EQ(splash().Firmware->text(), "Firmware Rev: 1.0.3");
    EXPECT_EQ(splash().Manufacture->text(), "Date Manufactured: May '02");
    EXPECT_TRUE(splash().SplashTime->enabled());
    EXPECT_EQ(m.global.ModelGainLo, m.state.GainLo);
    EXPECT_EQ(m.global.ModelGainHi, m.state.GainHi);
    EXPECT_EQ(m.global.GainCH1, 1.0f); // start-up takes the model's gain up

    // The identify byte follows a reset byte; the reply is kept field by field.
    const std::string& w = serial().written();
    const auto q7 = w.find('\x3F');
    ASSERT_NE(q7, std::string::npos);
    EXPECT_EQ(w[q7 - 1], '\x45');
    EXPECT_EQ(m.state.IdentityReply, Variant("OC10351"));
    EXPECT_EQ(m.state.PresenceChar, Variant("O"));
    EXPECT_EQ(m.state.ModelCode, "C");
    EXPECT_EQ(m.state.MonthCode, "5");
    EXPECT_EQ(m.state.YearDigit, 1);
}

TEST_F(Identify, AClickOnTheConnectionLampResetsTheInstrument)
{
    Main& m = loadSilent();
    serial().clearWritten();
    QTest::mouseClick(m.CWButton7, Qt::LeftButton);
    EXPECT_EQ(serial().written(), "\x45");
    // The lamp goes on showing the connection colour, so each click resets once more.
    EXPECT_FALSE(m.CWButton7->value());
    EXPECT_EQ(m.CWButton7->currentColor(), 255);
    QTest::mouseClick(m.CWButton7, Qt::LeftButton);
    EXPECT_EQ(serial().written(), "\x45\x45");
    // Setting the lamp off from code does nothing.
    m.CWButton7->setValue(true);
    serial().clearWritten();
    m.CWButton7->setValue(false);
    EXPECT_TRUE(serial().written().empty());
}

TEST_F(Identify, CalibrationQuestionOnlyOncePerFirstRun)
{
    Main& m = loadAnswering();
    m.CheckCOM->fire();
    m.CheckCOM->fire();
    EXPECT_EQ(dialogs().requests().size(), 1u);
    EXPECT_EQ(m.CheckCOM->interval(), 3000);
}

TEST_F(Identify, NoInstrument)
{
    Main& m = loadSilent();
    EXPECT_TRUE(dialogs().requests().empty());
    EXPECT_EQ(m.CheckCOM->interval(), 500);
    EXPECT_EQ(m.CWButton7->offColor(), 255);
    EXPECT_EQ(splash().CWButton7->offColor(), 255);
    EXPECT_EQ(splash().Model->text(), "Hardware Not Found");
    EXPECT_EQ(splash().Firmware->text(), "");
    EXPECT_EQ(splash().Manufacture->text(), "");
    EXPECT_FALSE(splash().SplashTime->enabled());
    EXPECT_TRUE(m.global.FirstRun.toBoolean());
    EXPECT_EQ(m.global.ModelGainLo, 0.0f);
}

TEST_F(Identify, LowerCaseOIsNotAnInstrument)
{
    instrument().setIdentity("oC10351");
    Main& m = load();
    EXPECT_EQ(m.CheckCOM->interval(), 500);
    EXPECT_EQ(m.CWButton7->offColor(), 255);
    EXPECT_EQ(splash().Model->text(), "Hardware Not Supported");
    EXPECT_EQ(splash().Firmware->text(), "");
    EXPECT_FALSE(splash().SplashTime->enabled());
}

TEST_F(Identify, RefusedModelCountsAsConnectedAndKeepsTheGains)
{
    Main& m = loadAnswering("OX10351");
    EXPECT_EQ(m.global.ModelGainHi, m.state.GainHiRev2);
    EXPECT_EQ(splash().Model->text(), "USB Oscilloscope Rev 2");
    instrument().setIdentity("OA20461");
    m.CheckCOM->fire();
    EXPECT_EQ(m.CheckCOM->interval(), 3000);
    EXPECT_EQ(m.CWButton7->offColor(), 65380);
    EXPECT_EQ(splash().Model->text(), "Kestrovue R1S  Hardware Not Supported");
    EXPECT_EQ(splash().Firmware->text(), "Firmware Rev: 2.0.4");
    EXPECT_EQ(m.global.ModelGainLo, m.state.GainLoRev2);
    EXPECT_EQ(m.global.ModelGainHi, m.state.GainHiRev2);
}

TEST_F(Identify, LinkWatchFollowsTheInstrument)
{
    Main& m = loadAnswering();
    instrument().faults().silence = true;
    m.CheckCOM->fire();
    EXPECT_EQ(m.CheckCOM->interval(), 500);
    EXPECT_EQ(m.CWButton7->offColor(), 255);
    instrument().faults().silence = false;
    m.CheckCOM->fire();
    EXPECT_EQ(m.CheckCOM->interval(), 3000);
    EXPECT_EQ(m.CWButton7->offColor(), 65380);
}

TEST_F(Identify, LinkWatchIdlesWhileRunIsOn)
{
    Main& m = loadSilent();
    m.CWButton1->setValue(true);
    m.Timer1->setEnabled(false); // keep the acquisition out of this test
    instrument().faults().silence = false;
    serial().clearWritten();
    m.CheckCOM->fire();
    EXPECT_EQ(serial().written().find('\x3F'), std::string::npos);
    EXPECT_EQ(m.CheckCOM->interval(), 500);
}

TEST_F(Identify, LinkWatchHoldsOffWhileAModalBoxIsOpen)
{
    Main& m = loadSilent();
    instrument().faults().silence = false;
    {
        ModalGuard modal;
        m.CheckCOM->fire();
    }
    EXPECT_EQ(m.CheckCOM->interval(), 500);
}

TEST_F(Identify, InstrumentPluggedInWhileTheSplashIsOpen)
{
    Main& m = loadSilent();
    ASSERT_FALSE(splash().SplashTime->enabled());
    instrument().faults().silence = false;
    dialogs().answer(MsgResult::No);
    m.CheckCOM->fire();
    EXPECT_EQ(splash().CWButton7->offColor(), 65380);
    EXPECT_EQ(m.CWButton7->offColor(), 65380);
    EXPECT_TRUE(splash().SplashTime->enabled());
    EXPECT_EQ(splash().SplashTime->interval(), 6000);
    EXPECT_EQ(splash().Model->text(), "Kestrovue ");
}

TEST_F(Identify, AfterTheSplashHasClosedOnlyTheFaceShowsTheResult)
{
    Main& m = loadSilent();
    splash().CloseSplash();
    ASSERT_FALSE(m.splashLoaded());
    m.CheckCOM->setEnabled(true);
    instrument().faults().silence = false;
    dialogs().answer(MsgResult::No);
    m.CheckCOM->fire();
    EXPECT_EQ(m.CWButton7->offColor(), 65380);
    EXPECT_EQ(m.global.ModelGainLo, m.state.GainLo);
    // The firmware line is written all the same, into the window loaded again, hidden.
    ASSERT_TRUE(m.splashLoaded());
    EXPECT_FALSE(splash().isVisible());
    EXPECT_EQ(splash().Firmware->text(), "Firmware Rev: 1.0.3");
    EXPECT_EQ(splash().Model->text(), "Model");
    EXPECT_FALSE(splash().SplashTime->enabled());
}

} // namespace
} // namespace kv::test
