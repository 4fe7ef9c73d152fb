#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "platform/rules/variant.h"

#include <array>

namespace kv {

// The capture record: display values (graph units) and calibrated counts of both channels.
struct SampleArrays
{
    static constexpr int Length = 1500;
    static constexpr int FastLength = 750;
    std::array<double, Length> TraceCH1{}, TraceCH2{}, CountsCH1{}, CountsCH2{};
    std::array<double, FastLength> Trace750CH1{}, Trace750CH2{}, Counts750CH1{}, Counts750CH2{};
};

// The `ActiveChannel` of the reference waveform (channels 1 and 2 are their own numbers, 0 none).
inline constexpr int ReferenceChannel = 5;

// Shared variables of the main window, the file code and the spectrum window.
struct GlobalV
{
    bool NoATTHardware = false;     // the 40 V attenuator circuitry is taken as absent
    bool ShowHardwareCheck = false; // an attenuator click opens the "Hardware Check" dialog
    bool ShowRefTip = false;        // the reference button shows its tip dialog
    SampleArrays Samples;
    Variant ActiveChannel; // 0 none, 1 channel 1, 2 channel 2, 5 reference waveform
    float ATTFactorCH1 = 0, ATTFactorCH2 = 0; // multiplier on every count of the channel
    bool ATTOnCH1 = false, ATTOnCH2 = false;
    float ModelGainLo = 0, ModelGainHi = 0; // gains of the identified model
    float GainCH1 = 0, GainCH2 = 0;         // gain in force per channel
    float COMPortNumber = 0;                // port found by the port search
    Variant FirstRun;
};

} // namespace kv
