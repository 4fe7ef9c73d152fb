#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "platform/rules/com_port_map.h"
#include "platform/rules/variant.h"
#include "state/global_v.h"
#include "state/scope_state.h"
#include "state/timebase_table.h"
#include "state/voltsdiv_table.h"

#include <array>
#include <cstddef>
#include <string>
#include <variant>

namespace kv {

// ---- The settings file's lines -----------------------------------------------------------------
// One row per line of the settings file, in file order: the line's name, what the load's check
// asks of it, where the value a save writes lives, and how a load takes it back.

// What a line must hold for the loader to store or apply it.
struct LineRule
{
    enum Kind
    {
        Bits,        // a string of `low` characters "0" or "1"
        Choice,      // one of the texts of `choices`
        Boolean,     // True or False (or a number)
        Number,      // a finite number
        Positive,    // a finite number above 0
        Whole,       // a whole number from `low` to `high`
        Channel,     // ActiveChannel: 0, 1, 2 or the reference
        Attenuation, // empty, or a number from 0 up whose twentieth is a 32-bit float
        Gain,        // empty, or a 32-bit float above 0
        Text,        // any text
    } kind;
    int low = 0;
    int high = 0;
    std::array<const char*, 3> choices{};

    static constexpr LineRule bits(int length) { return {Bits, length}; }
    static constexpr LineRule choice(const char* a, const char* b, const char* c = nullptr)
    {
        return {Choice, 0, 0, {a, b, c}};
    }
    static constexpr LineRule boolean() { return {Boolean}; }
    static constexpr LineRule number() { return {Number}; }
    static constexpr LineRule positive() { return {Positive}; }
    static constexpr LineRule whole(int low, int high) { return {Whole, low, high}; }
    static constexpr LineRule channel() { return {Channel}; }
    static constexpr LineRule attenuation() { return {Attenuation}; }
    static constexpr LineRule gain() { return {Gain}; }
    static constexpr LineRule text() { return {Text}; }
};

// The face controls whose values the file holds; the settings group reads them.
enum class SettingsFace
{
    CWSlide5Position, // trigger source
    CWButton12Value,  // trigger edge
    CWButton13Value,  // trigger mode
    CWButton4Value,   // acquisition mode
    CH1ButtonValue,
    CH2ButtonValue,
    CWSlide2Position, // mouse action
    CWKnob2Position,  // time/div
    CWSlide4Pointer1, // vertical positions
    CWSlide4Pointer2,
    CWSlide3Pointer1, // trigger pointers
    CWSlide3Pointer2,
    CWSlide6Pointer1,  // horizontal view
    CWButton5OffColor, // cursor colours
    CWButton6OffColor,
    PeriodVALText, // volts/div captions
    PeriodVAL2Text,
    COMComboIndex,
};

// A 32-bit float field the file holds multiplied by `by`.
struct ScaledField
{
    float GlobalV::*field;
    float by;
};

constexpr ScaledField scaledField(float GlobalV::*field, float by)
{
    return {field, by};
}

// Where a line's value lives. A field's type gives the value's form in the file: a text as it
// is, a Variant by what it holds, a Boolean, a 64-bit or a 32-bit number.
using SettingsSource = std::variant<std::string ScopeState::*, Variant ScopeState::*,
                                    bool ScopeState::*, double ScopeState::*, float ScopeState::*,
                                    Variant GlobalV::*, bool GlobalV::*, ScaledField, SettingsFace>;

// How a load takes a line back: stored into its field as read, before anything is applied (a
// text or Variant field), or converted and applied to the face by the loader's own steps.
enum class SettingsLoad
{
    Stored,
    Applied
};

struct SettingsLineRow
{
    int line;         // 1 to 64
    const char* name; // as in SettingsLine
    LineRule rule;
    SettingsSource value;
    SettingsLoad load;
};

// The rows, in file order; each row's name is also the line's number in SettingsLine.
// LINE(name, rule, where the value lives, how a load takes it)
#define KV_SETTINGS_LINES(LINE)                                                                    \
    LINE(TrigSourceBits, bits(2), &ScopeState::TrigSourceBits, Stored)                             \
    LINE(TrigSourcePosition, whole(1, 3), SettingsFace::CWSlide5Position, Applied)                 \
    LINE(TrigSlopeBits, bits(2), &ScopeState::TrigSlopeBits, Stored)                               \
    LINE(TrigEdgeText, choice("Rising", "Falling"), &ScopeState::TrigEdgeText, Stored)             \
    LINE(TrigSourceText, choice("CH1", "CH2", "TTL"), &ScopeState::TrigSourceText, Stored)         \
    LINE(TrigSlopeSaved, bits(2), &ScopeState::TrigSlopeSaved, Stored)                             \
    LINE(TrigEdge, boolean(), SettingsFace::CWButton12Value, Applied)                              \
    LINE(TrigMode, boolean(), SettingsFace::CWButton13Value, Applied)                              \
    LINE(TrigLevelCH1, number(), &ScopeState::TrigLevelCH1, Stored)                                \
    LINE(TrigLevelCH2, number(), &ScopeState::TrigLevelCH2, Stored)                                \
    LINE(AcquireMode, boolean(), SettingsFace::CWButton4Value, Applied)                            \
    LINE(CH1RangeBit, bits(1), &ScopeState::CH1RangeBit, Stored)                                   \
    LINE(CH2RangeBit, bits(1), &ScopeState::CH2RangeBit, Stored)                                   \
    LINE(VdivIndexCH1, whole(1, VoltsDivPositions), &ScopeState::VdivIndexCH1, Stored)             \
    LINE(VdivIndexCH2, whole(1, VoltsDivPositions), &ScopeState::VdivIndexCH2, Stored)             \
    LINE(VdivCH1, positive(), &ScopeState::VdivCH1, Stored)                                        \
    LINE(VdivCH2, positive(), &ScopeState::VdivCH2, Stored)                                        \
    LINE(VdivOldCH1, positive(), &ScopeState::VdivOldCH1, Stored)                                  \
    LINE(VdivOldCH2, positive(), &ScopeState::VdivOldCH2, Stored)                                  \
    LINE(CH1EnableBits, bits(4), &ScopeState::CH1EnableBits, Stored)                               \
    LINE(CH2EnableBits, bits(4), &ScopeState::CH2EnableBits, Stored)                               \
    LINE(CH1Button, boolean(), SettingsFace::CH1ButtonValue, Applied)                              \
    LINE(CH2Button, boolean(), SettingsFace::CH2ButtonValue, Applied)                              \
    LINE(FastChannelBits, bits(2), &ScopeState::FastChannelBits, Stored)                           \
    LINE(FramePlotted, boolean(), &ScopeState::FramePlotted, Applied)                              \
    LINE(XAxisMax, number(), &ScopeState::XAxisMax, Stored)                                        \
    LINE(XAxisMin, number(), &ScopeState::XAxisMin, Stored)                                        \
    LINE(XAxisMax2, number(), &ScopeState::XAxisMax2, Stored)                                      \
    LINE(XAxisMin2, number(), &ScopeState::XAxisMin2, Stored)                                      \
    LINE(CursorAction, whole(1, 2), SettingsFace::CWSlide2Position, Applied)                       \
    LINE(ActiveChannel, channel(), &GlobalV::ActiveChannel, Stored)                                \
    LINE(TimeDiv, whole(1, TimebasePositions), SettingsFace::CWKnob2Position, Applied)             \
    LINE(TimebaseCode, bits(5), &ScopeState::TimebaseCode, Stored)                                 \
    LINE(VdivIndex, whole(1, VoltsDivPositions), &ScopeState::VdivIndex, Stored)                   \
    LINE(PlotScaleCH1, positive(), &ScopeState::PlotScaleCH1, Applied)                             \
    LINE(PlotScaleCH2, positive(), &ScopeState::PlotScaleCH2, Applied)                             \
    LINE(VPosCH1, number(), SettingsFace::CWSlide4Pointer1, Applied)                               \
    LINE(VPosCH2, number(), SettingsFace::CWSlide4Pointer2, Applied)                               \
    LINE(TrigPointer1, number(), SettingsFace::CWSlide3Pointer1, Applied)                          \
    LINE(TrigPointer2, number(), SettingsFace::CWSlide3Pointer2, Applied)                          \
    LINE(HorizontalView, number(), SettingsFace::CWSlide6Pointer1, Applied)                        \
    LINE(CursorAColor, whole(0, 0xFFFFFF), SettingsFace::CWButton5OffColor, Applied)               \
    LINE(CursorBColor, whole(0, 0xFFFFFF), SettingsFace::CWButton6OffColor, Applied)               \
    LINE(PeriodVAL, text(), SettingsFace::PeriodVALText, Applied)                                  \
    LINE(PeriodVAL2, text(), SettingsFace::PeriodVAL2Text, Applied)                                \
    LINE(COMIndex, whole(-1, LastComPort - 1), SettingsFace::COMComboIndex, Applied)               \
    LINE(TrigPosByte1, whole(0, 255), &ScopeState::TrigPosByte1, Stored)                           \
    LINE(TrigPosByte2, whole(0, 255), &ScopeState::TrigPosByte2, Stored)                           \
    LINE(TrigPosByte3, whole(0, 255), &ScopeState::TrigPosByte3, Stored)                           \
    LINE(TrigPosByte4, whole(0, 255), &ScopeState::TrigPosByte4, Stored)                           \
    LINE(HTrigPosition, whole(1, 3), &ScopeState::HTrigPosition, Stored)                           \
    LINE(FirstRun, boolean(), &GlobalV::FirstRun, Stored)                                          \
    LINE(CalOffsetCH1Lo, number(), &ScopeState::CalOffsetCH1Lo, Stored)                            \
    LINE(CalOffsetCH1Hi, number(), &ScopeState::CalOffsetCH1Hi, Stored)                            \
    LINE(CalOffsetCH2Lo, number(), &ScopeState::CalOffsetCH2Lo, Stored)                            \
    LINE(CalOffsetCH2Hi, number(), &ScopeState::CalOffsetCH2Hi, Stored)                            \
    LINE(ShowRefTip, boolean(), &GlobalV::ShowRefTip, Applied)                                     \
    LINE(ShowHardwareCheck, boolean(), &GlobalV::ShowHardwareCheck, Applied)                       \
    LINE(ATTCH1, attenuation(), scaledField(&GlobalV::ATTFactorCH1, 20.0f), Applied)               \
    LINE(ATTCH2, attenuation(), scaledField(&GlobalV::ATTFactorCH2, 20.0f), Applied)               \
    LINE(GainLo, gain(), &ScopeState::GainLo, Applied)                                             \
    LINE(GainHi, gain(), &ScopeState::GainHi, Applied)                                             \
    LINE(GainLoRev2, gain(), &ScopeState::GainLoRev2, Applied)                                     \
    LINE(GainHiRev2, gain(), &ScopeState::GainHiRev2, Applied)

// Line numbers (1-based) by name: SettingsLine::FirstRun is 52.
namespace SettingsLine {
enum : int
{
    NoLine = 0, // lines count from 1
#define KV_SETTINGS_LINE_NAME(name, rule, value, load) name,
    KV_SETTINGS_LINES(KV_SETTINGS_LINE_NAME)
#undef KV_SETTINGS_LINE_NAME
};
} // namespace SettingsLine

inline constexpr std::array SettingsLines{
#define KV_SETTINGS_LINE_ROW(name, rule, value, load)                                              \
    SettingsLineRow{SettingsLine::name, #name, LineRule::rule, value, SettingsLoad::load},
    KV_SETTINGS_LINES(KV_SETTINGS_LINE_ROW)
#undef KV_SETTINGS_LINE_ROW
};

#undef KV_SETTINGS_LINES

inline constexpr int SettingsFileLines = int(SettingsLines.size());
static_assert(SettingsFileLines == 64, "a settings file holds 64 lines");

// The row of line 1..64.
constexpr const SettingsLineRow& settingsLineRow(int line)
{
    return SettingsLines[std::size_t(line - 1)];
}

namespace settings_lines_detail {

// Only a text or Variant field can take a line as read.
constexpr bool storedRowsHoldTexts()
{
    for (const SettingsLineRow& row : SettingsLines) {
        const bool text = std::holds_alternative<std::string ScopeState::*>(row.value) ||
                          std::holds_alternative<Variant ScopeState::*>(row.value) ||
                          std::holds_alternative<Variant GlobalV::*>(row.value);
        if (row.load == SettingsLoad::Stored && !text)
            return false;
    }
    return true;
}

} // namespace settings_lines_detail

static_assert(settings_lines_detail::storedRowsHoldTexts());

} // namespace kv
