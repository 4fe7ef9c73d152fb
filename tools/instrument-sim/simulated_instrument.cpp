#include "instrument-sim/simulated_instrument.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <vector>

namespace kv {

namespace {

std::optional<SimWaveform> waveformNamed(std::string_view name)
{
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower == "sine")
        return SimWaveform::Sine;
    if (lower == "square")
        return SimWaveform::Square;
    if (lower == "triangle")
        return SimWaveform::Triangle;
    if (lower == "dc")
        return SimWaveform::Dc;
    return std::nullopt;
}

// A whole field as a number; an empty field keeps the given value.
bool parseNumber(std::string_view field, double& value)
{
    if (field.empty())
        return true;
    const std::string text(field);
    char* end = nullptr;
    const double parsed = std::strtod(text.c_str(), &end);
    if (end != text.c_str() + text.size() || !std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

std::vector<std::string_view> splitFields(std::string_view text)
{
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (true) {
        const std::size_t colon = text.find(':', start);
        fields.push_back(text.substr(start, colon - start));
        if (colon == std::string_view::npos)
            return fields;
        start = colon + 1;
    }
}

std::int64_t microsOf(double seconds)
{
    return std::llround(seconds * 1e6);
}

// Longest trigger search, in samples, so that a request never costs more than a few ms.
constexpr long MaxTriggerSearch = 4'000'000;

} // namespace

double SimSignal::valueAt(double seconds) const
{
    if (kind == SimWaveform::Dc)
        return offset;
    const double cycles = frequency > 0.0 ? frequency * seconds : 0.0;
    const double phase = cycles - std::floor(cycles);
    switch (kind) {
    case SimWaveform::Sine:
        return offset + amplitude * std::sin(2.0 * std::numbers::pi * phase);
    case SimWaveform::Square:
        return offset + (phase < 0.5 ? amplitude : -amplitude);
    case SimWaveform::Triangle: {
        const double unit = phase < 0.25   ? 4.0 * phase
                            : phase < 0.75 ? 2.0 - 4.0 * phase
                                           : 4.0 * phase - 4.0;
        return offset + amplitude * unit;
    }
    case SimWaveform::Dc:
        break;
    }
    return offset;
}

std::optional<SimSignal> SimSignal::parse(std::string_view text)
{
    const std::vector<std::string_view> fields = splitFields(text);
    if (fields.size() > 4)
        return std::nullopt;
    SimSignal signal;
    const std::optional<SimWaveform> kind = waveformNamed(fields[0]);
    if (!kind)
        return std::nullopt;
    signal.kind = *kind;
    double* values[] = {&signal.frequency, &signal.amplitude, &signal.offset};
    for (std::size_t i = 1; i < fields.size(); ++i) {
        if (!parseNumber(fields[i], *values[i - 1]))
            return std::nullopt;
    }
    if (signal.frequency < 0.0)
        return std::nullopt;
    return signal;
}

SimFrame SimFrame::decode(const std::array<std::uint8_t, 9>& bytes)
{
    SimFrame frame;
    frame.levelByte = bytes[1];
    frame.ch2HighRange = (bytes[2] & 0x80) != 0;
    frame.ch1HighRange = (bytes[2] & 0x40) != 0;
    frame.risingEdge = ((bytes[2] >> 4) & 0x3) == 0x3;
    frame.ch1Enabled = (bytes[2] & 0x0F) != 0;
    frame.timebaseCode = bytes[3] >> 3;
    frame.autoMode = (bytes[3] & 0x04) != 0;
    frame.sourceBits = bytes[3] & 0x03;
    frame.externalTrigger = (bytes[4] & 0x40) != 0;
    frame.fastChannelBits = (bytes[4] >> 4) & 0x3;
    frame.fastMode = (bytes[4] & 0x08) != 0;
    std::copy(bytes.begin() + 5, bytes.end(), frame.trigPos.begin());
    return frame;
}

double SimFrame::samplePeriod() const
{
    static constexpr double periods[] = {2e-6, 4e-6, 1e-5, 2e-5, 4e-5, 1e-4, 2e-4,
                                         4e-4, 1e-3, 2e-3, 4e-3, 1e-2, 2e-2};
    // The converter's 1 MS/s serves one channel in fast mode, or both channels in turn.
    if (fastMode)
        return 1e-6;
    if (timebaseCode < 3)
        return 2e-6;
    if (timebaseCode > 15)
        return 2e-2;
    return periods[timebaseCode - 3];
}

int SimFrame::triggerChannel() const
{
    if (externalTrigger)
        return 0;
    return (sourceBits & 0x1) != 0 ? 2 : 1;
}

double SimFrame::triggerFraction() const
{
    struct Preset
    {
        std::array<std::uint8_t, 4> bytes;
        double fraction;
    };
    static constexpr Preset presets[] = {{{50, 1, 80, 6}, 0.1},
                                         {{240, 5, 239, 3}, 0.5},
                                         {{180, 10, 140, 1}, 0.9},
                                         {{160, 3, 33, 5}, 0.3},
                                         {{100, 8, 189, 2}, 0.7}};
    for (const Preset& preset : presets) {
        if (preset.bytes == trigPos)
            return preset.fraction;
    }
    return std::min(1.0, (trigPos[0] + 256.0 * trigPos[1]) / 3000.0);
}

int SimFrame::triggerIndex() const
{
    const int n = samplesPerChannel();
    return std::clamp(static_cast<int>(std::lround(triggerFraction() * n)), 0, n - 1);
}

SimulatedInstrument::SimulatedInstrument(std::shared_ptr<SimClock> clock)
    : clock_(clock ? std::move(clock) : std::make_shared<SteadySimClock>())
{
    signals_[0] = {SimWaveform::Sine, 1000.0, 1.0, 0.0};
    signals_[1] = {SimWaveform::Square, 500.0, 0.5, 0.0};
}

void SimulatedInstrument::setSignal(int channel, const SimSignal& signal)
{
    signals_[channel == 2 ? 1 : 0] = signal;
    signalsChanged_ = true;
}

const SimSignal& SimulatedInstrument::signal(int channel) const
{
    return signals_[channel == 2 ? 1 : 0];
}

void SimulatedInstrument::receive(std::string_view bytes)
{
    for (char c : bytes)
        receive(static_cast<std::uint8_t>(c));
}

void SimulatedInstrument::receive(std::uint8_t byte)
{
    const std::int64_t now = clock_->nowMicros();
    if (partialLength_ > 0 && now - partialAt_ > FrameGapMicros)
        partialLength_ = 0;
    if (partialLength_ == 0 && byte != FrameStart) {
        command(byte);
        return;
    }
    partial_[static_cast<std::size_t>(partialLength_++)] = byte;
    partialAt_ = now;
    if (partialLength_ == FrameLength) {
        partialLength_ = 0;
        frameReceived();
    }
}

void SimulatedInstrument::command(std::uint8_t byte)
{
    switch (byte) {
    case ResetByte:
    case StopByte:
        pending_.reset();
        dropUnsent();
        break;
    case IdentifyByte:
        if (takeRequest())
            queueAnswer(identity_, false, 0);
        break;
    default:
        break;
    }
}

void SimulatedInstrument::frameReceived()
{
    lastFrame_ = partial_;
    ++frames_;
    if (!takeRequest())
        return;
    pending_ = SimFrame::decode(partial_);
    signalsChanged_ = false;
    answerPending();
}

bool SimulatedInstrument::takeRequest()
{
    ++requests_;
    if (faults_.silence)
        return false;
    return !(faults_.everyOther && requests_ % 2 == 0);
}

void SimulatedInstrument::answerPending()
{
    std::optional<std::string> record = capture(*pending_);
    if (!record)
        return;
    const double capturing = 1500.0 * pending_->samplePeriod();
    pending_.reset();
    queueAnswer(std::move(*record), true, microsOf(capturing));
}

void SimulatedInstrument::queueAnswer(std::string bytes, bool record, std::int64_t captureMicros)
{
    if (record && faults_.wrongSync)
        bytes[0] = static_cast<char>(faults_.wrongSyncByte);
    if (record && faults_.shortRecord > 0 && faults_.shortRecord < static_cast<int>(bytes.size()))
        bytes.resize(static_cast<std::size_t>(faults_.shortRecord));
    if (faults_.garbage) {
        for (char& c : bytes) {
            garbageState_ = garbageState_ * 1103515245u + 12345u;
            c = static_cast<char>((garbageState_ >> 16) & 0xFF);
        }
        if (!bytes.empty() && (bytes[0] == 'U' || bytes[0] == 'O'))
            bytes[0] = static_cast<char>(bytes[0] ^ 0x01);
    }
    const bool hangUp =
        record && faults_.hangUpAfter > 0 && faults_.hangUpAfter < static_cast<int>(bytes.size());
    if (hangUp)
        bytes.resize(static_cast<std::size_t>(faults_.hangUpAfter));

    const std::int64_t now = clock_->nowMicros();
    std::int64_t due = now;
    if (pace_ == SimPace::Real) {
        const std::int64_t start = queue_.empty() ? now : std::max(now, queue_.back().due);
        due = start + captureMicros;
    }
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const bool last = i + 1 == bytes.size();
        queue_.push_back({static_cast<std::uint8_t>(bytes[i]), due, hangUp && last});
        if (pace_ == SimPace::Real)
            ++due; // about 1 MB/s
    }
}

void SimulatedInstrument::dropUnsent()
{
    const std::int64_t now = clock_->nowMicros();
    while (!queue_.empty() && queue_.back().due > now)
        queue_.pop_back();
}

SimulatedInstrument::Output SimulatedInstrument::takeDue()
{
    if (pending_ && signalsChanged_) {
        signalsChanged_ = false;
        answerPending();
    }
    Output out;
    const std::int64_t now = clock_->nowMicros();
    while (!queue_.empty() && queue_.front().due <= now) {
        const QueuedByte next = queue_.front();
        queue_.pop_front();
        out.bytes.push_back(static_cast<char>(next.byte));
        if (next.hangUpAfter) {
            out.hungUp = true;
            powerUp();
            break;
        }
    }
    return out;
}

std::optional<std::int64_t> SimulatedInstrument::dueMicros(std::size_t index) const
{
    if (queue_.empty())
        return std::nullopt;
    return queue_[std::min(index, queue_.size() - 1)].due;
}

void SimulatedInstrument::powerUp()
{
    queue_.clear();
    pending_.reset();
    partialLength_ = 0;
}

std::uint8_t SimulatedInstrument::sampleByte(int channel, bool highRange, double seconds) const
{
    const double span = highRange ? 20.0 : 4.0;
    const double count = 127.0 - signal(channel).valueAt(seconds) * 255.0 / span;
    return static_cast<std::uint8_t>(std::clamp(std::lround(count), 0L, 255L));
}

// The time of the first sample after `from` at which the trigger channel's bytes cross the
// threshold: falling bytes for a rising edge (the converter counts down as the voltage rises).
std::optional<double> SimulatedInstrument::findTrigger(const SimFrame& frame, double from) const
{
    const int channel = frame.triggerChannel();
    const bool high = channel == 2 ? frame.ch2HighRange : frame.ch1HighRange;
    const double period = frame.samplePeriod();
    const SimSignal& input = signal(channel);
    long limit = 2L * frame.samplesPerChannel();
    if (input.kind != SimWaveform::Dc && input.frequency > 0.0)
        limit = std::max(limit, static_cast<long>(std::ceil(2.0 / (input.frequency * period))));
    limit = std::min(limit, MaxTriggerSearch);

    const int threshold = frame.levelByte;
    int previous = sampleByte(channel, high, from);
    for (long j = 1; j <= limit; ++j) {
        const double t = from + static_cast<double>(j) * period;
        const int current = sampleByte(channel, high, t);
        const bool crossed = frame.risingEdge ? previous > threshold && current <= threshold
                                              : previous < threshold && current >= threshold;
        if (crossed)
            return t;
        previous = current;
    }
    return std::nullopt;
}

std::optional<std::string> SimulatedInstrument::capture(const SimFrame& frame)
{
    const double period = frame.samplePeriod();
    const int n = frame.samplesPerChannel();
    double start = signalTime_;
    if (frame.triggerChannel() != 0) {
        const std::optional<double> trigger = findTrigger(frame, signalTime_);
        if (trigger)
            start = *trigger - frame.triggerIndex() * period;
        else if (!frame.autoMode)
            return std::nullopt;
    }
    signalTime_ = start + n * period;

    std::string record;
    record.reserve(RecordLength);
    record.push_back(static_cast<char>(SyncByte));
    auto appendChannel = [&](int channel) {
        const bool high = channel == 2 ? frame.ch2HighRange : frame.ch1HighRange;
        const bool silent = channel == 1 && honourEnable_ && !frame.ch1Enabled;
        for (int r = 0; r < n; ++r) {
            const std::uint8_t b = silent ? 127 : sampleByte(channel, high, start + r * period);
            record.push_back(static_cast<char>(b));
        }
    };
    if (frame.fastMode) {
        appendChannel(frame.fastChannel());
    } else {
        appendChannel(1);
        appendChannel(2);
    }
    return record;
}

} // namespace kv
