#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "platform/rules/variant.h"

#include <array>
#include <cstdint>
#include <string>

namespace kv {

// The main window's own fields: channel, timebase and trigger settings, the command-frame bit
// strings and bytes, calibration, identification, the loaded reference, cursor and read-out
// scratch values and the current file path. Every field starts at zero, false, "" or empty;
// start-up then writes its defaults.
struct ScopeState
{
    // Vertical, per channel.
    Variant VdivIndexCH1, VdivIndexCH2;              // volts/div index 1..6 ("100mV" .. "5V")
    Variant VdivIndex;                               // volts/div knob position at its last change
    Variant VdivCH1, VdivCH2;                        // volts per division
    Variant VdivOldCH1, VdivOldCH2;                  // volts per division before the last change
    std::string CH1RangeBit, CH2RangeBit;            // "0" low range (4 V), "1" high range (20 V)
    std::string CH1EnableBits, CH2EnableBits;        // "0001" on, "0000" off
    std::int16_t VPosCH1 = 0, VPosCH2 = 0;           // vertical position, graph units
    std::int16_t FrameVPosCH1 = 0, FrameVPosCH2 = 0; // VPos copied when a record is decoded
    double PlotScaleCH1 = 0, PlotScaleCH2 = 0;       // graph units per count
    float ATTValueCH1 = 0, ATTValueCH2 = 0;          // factor the 40 V attenuator puts in force
    Variant CalOffsetCH1Lo, CalOffsetCH1Hi, CalOffsetCH2Lo, CalOffsetCH2Hi; // zero offsets, counts
    float GainLo = 0, GainHi = 0;         // gain correction of model "C"
    float GainLoRev2 = 0, GainHiRev2 = 0; // gain correction of model "X"

    // Horizontal.
    std::string TimebaseCode; // five bits, frame byte 3 bits 7-3
    float SampleTime = 0;     // seconds per sample
    Variant HTrigPosition;    // 1, 2, 3: trigger at 10, 50, 90 % of the record
    Variant TrigPosByte1, TrigPosByte2, TrigPosByte3, TrigPosByte4; // frame bytes 5..8
    Variant XAxisMin, XAxisMax;   // visible X window of the graph, samples
    Variant XAxisMin2, XAxisMax2; // stored in the settings file only
    bool IsPanned = false, IsZoomed = false;
    std::string MouseAction; // "Zoom", "pan" or "Cursor"

    // Trigger.
    Variant TrigLevelCH1, TrigLevelCH2; // trigger level in counts 0..255
    double TrigLevelVolts = 0;
    std::string TrigSourceBits;  // "00" channel 1, "01" channel 2
    std::int16_t ExtTrigBit = 0; // 1 for the external (TTL) input
    std::string TrigSourceText;  // "CH1", "CH2" or "TTL"
    std::string TrigSlopeBits;   // "11" rising, "00" falling
    std::string TrigSlopeSaved;
    std::string TrigEdgeText; // "Rising" or "Falling"
    std::string TrigModeBit;  // "1" Auto, "0" Normal
    float TrigPointerCH1 = 0, TrigPointerCH2 = 0;
    float TrigOffsetCH1 = 0, TrigOffsetCH2 = 0;
    bool TrigOnCH1 = false, TrigOnCH2 = false;

    // Acquisition and command frame.
    std::array<std::string, 9> HeaderBytes; // the nine frame bytes as decimal text
    std::int16_t FastModeBit = 0;
    std::string FastChannelBits; // "01" channel 1, "10" channel 2 at 1 MS/s
    bool ContinuousMode = false;
    bool SingleShot = false;
    bool AwaitingFrame = false;
    bool FramePlotted = false;
    std::int16_t BytesWaiting2CH = 0, BytesWaiting1CH = 0, BytesWaitingFast = 0;
    std::int16_t SampleIndexCH1 = 0, SampleIndexCH2 = 0;
    std::int32_t SampleValue = 0;

    // Identification.
    Variant IdentityReply;
    Variant PresenceChar;
    std::string ModelCode;
    std::int16_t FirmwareRev1 = 0, FirmwareRev2 = 0, FirmwareRev3 = 0;
    std::string MonthCode;
    std::int16_t YearDigit = 0;

    // Reference waveform.
    static constexpr int RecordLength = 1500;
    Variant VREFLabel, HREFLabel;
    Variant REFZeroLevel;
    bool REFDualChannel = false;
    std::array<Variant, RecordLength> REFSamples{};
    std::array<double, RecordLength> REFCounts{};

    // Cursors, read-outs and files.
    Variant CursorAX, CursorBX, CursorAY, CursorBY;
    double TimeUnitFactor = 0;
    std::string VoltUnitText, TimeUnitText, TimePerPointText;
    float VoltsPerCount = 0, MeasVoltsPerCount = 0;
    double FreqEstimate = 0;
    Variant FormatResult;
    std::string FilePath;
};

} // namespace kv
