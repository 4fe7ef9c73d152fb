// The simulated instrument on a pseudo-terminal, linked as dosdevices/comN of a program folder.
#include "instrument-sim/pty_instrument_server.h"
#include "instrument-sim/simulated_instrument.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

namespace {

kv::PtyInstrumentServer* runningServer = nullptr;

extern "C" void onStopSignal(int)
{
    if (runningServer)
        runningServer->stop();
}

const char* const Usage =
    "usage: instrument-sim [options]\n"
    "  --folder DIR          program folder; the link is DIR/dosdevices/comN (default .)\n"
    "  --port N              COM port number N, 1..256 (default 10)\n"
    "  --ch1 K:F:A:O         channel 1 signal: kind sine|square|triangle|dc, frequency Hz,\n"
    "  --ch2 K:F:A:O         peak amplitude V, offset V (dc uses the offset only)\n"
    "                        (defaults sine:1000:1:0 and square:500:0.5:0)\n"
    "  --pace at-once|real   answer at once (default) or at the pace of a real capture\n"
    "  --identity TEXT       answer to \"?\" (default OC10351)\n"
    "  --ignore-enable       channel 1 answers also when its enable bits are 0000\n"
    "  --log-frames FILE     writes every command frame received to FILE (replaced), one\n"
    "                        line of 18 hex digits each, as it arrives\n"
    "faults:\n"
    "  --silence             answer nothing\n"
    "  --wrong-sync          records start with \"X\" in place of \"U\"\n"
    "  --short-record N      records end after N bytes\n"
    "  --garbage             answers are pseudo-random bytes\n"
    "  --hang-up-after N     the line drops after N bytes of a record, and comes back on a\n"
    "  --hang-up-pause MS    new pseudo-terminal MS milliseconds later (default 1000)\n"
    "  --every-other         answer only every other request\n"
    "  --flood RATE          beside the answers, RATE pseudo-random bytes a second\n"
    "The slave path is printed on standard output, one line for each pseudo-terminal opened.\n";

struct Options
{
    std::string folder = ".";
    int port = 10;
    int hangUpPauseMs = 1000;
    int floodRate = 0;
    std::string frameLog;
};

bool parseInt(const char* text, int low, int high, int& value)
{
    char* end = nullptr;
    const long parsed = std::strtol(text, &end, 10);
    if (*text == '\0' || *end != '\0' || parsed < low || parsed > high)
        return false;
    value = static_cast<int>(parsed);
    return true;
}

// Applies argv to the options and the instrument; false with a message on bad input.
bool parseArguments(int argc, char** argv, Options& options, kv::SimulatedInstrument& instrument,
                    std::string& error)
{
    kv::SimFaults& faults = instrument.faults();
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        auto value = [&]() -> const char* { return i + 1 < argc ? argv[++i] : nullptr; };
        auto bad = [&](const char* what) {
            error = std::string(what) + " for " + std::string(arg);
            return false;
        };
        if (arg == "--silence") {
            faults.silence = true;
        } else if (arg == "--wrong-sync") {
            faults.wrongSync = true;
        } else if (arg == "--garbage") {
            faults.garbage = true;
        } else if (arg == "--every-other") {
            faults.everyOther = true;
        } else if (arg == "--ignore-enable") {
            instrument.setHonourChannelEnable(false);
        } else {
            const char* v = value();
            if (!v)
                return bad("missing value");
            if (arg == "--folder") {
                options.folder = v;
            } else if (arg == "--port") {
                if (!parseInt(v, 1, 256, options.port))
                    return bad("port number 1..256 expected");
            } else if (arg == "--ch1" || arg == "--ch2") {
                const std::optional<kv::SimSignal> signal = kv::SimSignal::parse(v);
                if (!signal)
                    return bad("signal kind:frequency:amplitude:offset expected");
                instrument.setSignal(arg == "--ch1" ? 1 : 2, *signal);
            } else if (arg == "--pace") {
                const std::string_view pace = v;
                if (pace != "at-once" && pace != "real")
                    return bad("at-once or real expected");
                instrument.setPace(pace == "real" ? kv::SimPace::Real : kv::SimPace::AtOnce);
            } else if (arg == "--log-frames") {
                options.frameLog = v;
            } else if (arg == "--identity") {
                instrument.setIdentity(v);
            } else if (arg == "--short-record") {
                if (!parseInt(v, 1, 3000, faults.shortRecord))
                    return bad("length 1..3000 expected");
            } else if (arg == "--hang-up-after") {
                if (!parseInt(v, 1, 3000, faults.hangUpAfter))
                    return bad("byte count 1..3000 expected");
            } else if (arg == "--flood") {
                if (!parseInt(v, 1, 100'000'000, options.floodRate))
                    return bad("bytes a second expected");
            } else if (arg == "--hang-up-pause") {
                if (!parseInt(v, 0, 3'600'000, options.hangUpPauseMs))
                    return bad("milliseconds expected");
            } else {
                error = "unknown option " + std::string(arg);
                return false;
            }
        }
    }
    return true;
}

void printSlave(const std::string& path)
{
    std::cout << path << std::endl; // one line, flushed
}

// One line of hex digits, flushed, so that a reader sees each frame as it arrives.
void logFrame(std::ostream& log, const kv::SimulatedInstrument::Frame& frame)
{
    static constexpr char Digits[] = "0123456789abcdef";
    std::string line;
    for (const std::uint8_t byte : frame) {
        line += Digits[byte >> 4];
        line += Digits[byte & 0xF];
    }
    log << line << std::endl;
}

} // namespace

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--help" || std::string_view(argv[i]) == "-h") {
            std::cout << Usage;
            return 0;
        }
    }
    kv::SimulatedInstrument instrument;
    Options options;
    std::string error;
    if (!parseArguments(argc, argv, options, instrument, error)) {
        std::cerr << "instrument-sim: " << error << "\n" << Usage;
        return 2;
    }

    kv::PtyInstrumentServer server(instrument, options.folder, options.port);
    server.setHangUpPauseMs(options.hangUpPauseMs);
    server.setFloodRate(options.floodRate);
    std::ofstream frameLog;
    if (!options.frameLog.empty()) {
        frameLog.open(options.frameLog, std::ios::out | std::ios::trunc);
        if (!frameLog) {
            std::cerr << "instrument-sim: cannot write " << options.frameLog << "\n";
            return 1;
        }
        server.setFrameLog([&frameLog](const auto& frame) { logFrame(frameLog, frame); });
    }
    if (!server.open(error)) {
        std::cerr << "instrument-sim: " << error << "\n";
        return 1;
    }
    runningServer = &server;
    struct sigaction action
    {
    };
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    printSlave(server.slavePath());
    server.serve(printSlave);
    runningServer = nullptr;
    return 0; // the server's destructor removes the link
}
