// Writes the seed corpora: settings files saved by the program itself (after start-up and after
// changes on the front panel, and one of the older 58-line kind), replies of the simulated
// instrument, and typed COM port texts.
//
//     fuzz_make_corpus <corpus folder>

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "files/reference_waveforms.h"
#include "files/settings_file.h"
#include "fuzz_support.h"
#include "instrument-sim/simulated_instrument.h"
#include "link/acquisition.h"

#include <QDir>
#include <QFile>
#include <cctype>
#include <cstdio>
#include <string>

namespace {

using namespace kv;

QDir corpusRoot;

void put(const char* target, const char* name, std::string_view data)
{
    corpusRoot.mkpath(QString::fromLatin1(target));
    const QString path = corpusRoot.filePath(QString::fromLatin1(target) + QLatin1Char('/') +
                                             QString::fromLatin1(name));
    if (!fuzz::writeFile(path, data))
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}

std::string readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

std::string savedSettings(fuzz::Harness& h, const char* name)
{
    Main& w = h.main();
    const QString path = h.path(QString::fromLatin1(name));
    w.state.FilePath = path.toStdString();
    QString reason;
    if (!w.settingsFile->SaveSettingsFile(&reason))
        std::fprintf(stderr, "save failed: %s\n", qPrintable(reason));
    return readAll(path);
}

// The first `lines` lines of a CR LF text.
std::string firstLines(const std::string& text, int lines)
{
    std::size_t end = 0;
    for (int i = 0; i < lines && end != std::string::npos; ++i) {
        end = text.find("\r\n", end);
        if (end != std::string::npos)
            end += 2;
    }
    return end == std::string::npos ? text : text.substr(0, end);
}

void settingsCorpus()
{
    fuzz::Harness h;
    Main& w = h.main();
    const std::string startup = savedSettings(h, "startup.set");
    put("fuzz_settings_loader", "startup.set", startup);
    put("fuzz_settings_loader", "older-58-lines.set", firstLines(startup, SettingsRequiredLines));
    // A user's settings: channel 2 at 2 V/div, 50 us/div, triggered on channel 2's falling edge
    // in single acquisition.
    w.CH2Button->setValue(true);
    w.CH2Button->setValue(false);
    w.CWKnob1->setPosition(5);
    w.CWKnob2->setPosition(1);
    w.CWSlide5->setPosition(2);
    w.CWButton12->setValue(false);
    w.CWButton4->setValue(true);
    w.CWSlide2->setPosition(2);
    put("fuzz_settings_loader", "changed.set", savedSettings(h, "changed.set"));
}

std::string identityOf(SimulatedInstrument& instrument, const std::string& identity)
{
    instrument.setIdentity(identity);
    instrument.receive(SimulatedInstrument::IdentifyByte);
    return instrument.takeDue().bytes;
}

void instrumentCorpus()
{
    SimulatedInstrument instrument;
    put("fuzz_identity", "standard", identityOf(instrument, "OC10351"));
    put("fuzz_identity", "rev2", identityOf(instrument, "OX2046C"));
    put("fuzz_identity", "refused-model", identityOf(instrument, "OA10351"));
    put("fuzz_identity", "bad-month", identityOf(instrument, "OC103Z9"));
    put("fuzz_identity", "short", identityOf(instrument, "OC1"));
    put("fuzz_identity", "not-present", identityOf(instrument, "XC10351"));

    SimFrame twoChannel;
    twoChannel.ch1Enabled = true;
    SimFrame fast1 = twoChannel;
    fast1.fastMode = true;
    fast1.fastChannelBits = 1;
    SimFrame fast2 = fast1;
    fast2.fastChannelBits = 2;
    const std::string record = instrument.capture(twoChannel).value_or(std::string());
    put("fuzz_record_decode", "two-channel", record);
    put("fuzz_record_decode", "fast-ch2", instrument.capture(fast2).value_or(std::string()));
    put("fuzz_record_decode", "short-800", record.substr(0, 800));
    put("fuzz_record_decode", "sync-only", "U");
    std::string wrongSync = record.substr(0, 1200);
    wrongSync[0] = 'X';
    put("fuzz_record_decode", "wrong-sync", wrongSync);

    // The pure decoder takes its parameters from the input's end.
    put("fuzz_sample_decode", "fast-ch1",
        instrument.capture(fast1).value_or(std::string()) + std::string(32, '\0'));
    put("fuzz_sample_decode", "two-channel", record + std::string(32, '\x7f'));
}

// A reference saved from an acquired record: the harness's instrument answers with `record`.
std::string savedReference(const std::string& record, int timeDiv, bool bothShown, const char* name)
{
    fuzz::Harness h;
    Main& w = h.main();
    h.serial().setReply(record);
    w.CWKnob2->setPosition(timeDiv);
    w.CWGraph1->setPlotVisible(QStringLiteral("PCH1"), true);
    w.CWGraph1->setPlotVisible(QStringLiteral("PCH2"), bothShown);
    w.CWButton1->setValue(true);
    w.acquisition->Timer1_Timer();
    w.CWButton1->setValue(false);
    const QString path = h.path(QString::fromLatin1(name));
    w.referenceWaveforms->SaveREFCH1File(path);
    return readAll(path);
}

void referenceCorpus()
{
    SimulatedInstrument instrument;
    instrument.setHonourChannelEnable(false);
    SimFrame frame;
    frame.timebaseCode = 6;
    put("fuzz_reference_loader", "two-channel.rfw",
        savedReference(instrument.capture(frame).value_or(std::string()), 5, true,
                       "two-channel.rfw"));
    instrument.setSignal(1, {SimWaveform::Dc, 0.0, 0.0, 0.5});
    instrument.setSignal(2, {SimWaveform::Dc, 0.0, 0.0, -0.5});
    frame.timebaseCode = 3;
    put("fuzz_reference_loader", "doubled-750-dc.rfw",
        savedReference(instrument.capture(frame).value_or(std::string()), 1, true,
                       "doubled-750-dc.rfw"));
}

void comListCorpus()
{
    for (const char* text : {"10", "256", "0", "abc", "-3", "1.5", "2.5", " 7 ", "1e3", "257"}) {
        std::string name = "text-";
        for (const char c : std::string(text))
            name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
        put("fuzz_com_list", name.c_str(), text);
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    fuzz::initApplication(&argc, &argv);
    corpusRoot = QDir(QString::fromLocal8Bit(argv[1]));
    settingsCorpus();
    instrumentCorpus();
    referenceCorpus();
    comListCorpus();
    return 0;
}
