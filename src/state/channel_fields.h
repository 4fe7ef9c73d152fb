#pragma once

// The twin fields of the two channels, addressed by channel number: code that treats both
// channels alike takes the fields of one channel and is written once. Channel 1 gives the CH1
// fields; any other number gives the CH2 fields.

#include "state/global_v.h"
#include "state/scope_state.h"

#include <concepts>
#include <cstdint>
#include <string>
#include <type_traits>

namespace kv {

// T, const where Owner is const.
template <class T, class Owner>
using ConstLike = std::conditional_t<std::is_const_v<Owner>, const T, T>;

// One channel's fields of ScopeState (S is ScopeState or const ScopeState).
template <class S> struct ChannelStateOf
{
    template <class T> using Ref = ConstLike<T, S>&;

    int number;
    Ref<Variant> VdivIndex;
    Ref<Variant> Vdiv;
    Ref<Variant> VdivOld;
    Ref<std::string> RangeBit;
    Ref<std::string> EnableBits;
    Ref<std::int16_t> VPos;
    Ref<std::int16_t> FrameVPos;
    Ref<double> PlotScale;
    Ref<float> ATTValue;
    Ref<Variant> CalOffsetLo;
    Ref<Variant> CalOffsetHi;
    Ref<Variant> TrigLevel;
    Ref<float> TrigPointer;
    Ref<float> TrigOffset;
    Ref<bool> TrigOn;
    Ref<std::int16_t> SampleIndex;
};

template <class S>
requires std::same_as<std::remove_const_t<S>, ScopeState> ChannelStateOf<S>
channelState(S& s, int channel)
{
    if (channel == 1)
        return {1,
                s.VdivIndexCH1,
                s.VdivCH1,
                s.VdivOldCH1,
                s.CH1RangeBit,
                s.CH1EnableBits,
                s.VPosCH1,
                s.FrameVPosCH1,
                s.PlotScaleCH1,
                s.ATTValueCH1,
                s.CalOffsetCH1Lo,
                s.CalOffsetCH1Hi,
                s.TrigLevelCH1,
                s.TrigPointerCH1,
                s.TrigOffsetCH1,
                s.TrigOnCH1,
                s.SampleIndexCH1};
    return {2,
            s.VdivIndexCH2,
            s.VdivCH2,
            s.VdivOldCH2,
            s.CH2RangeBit,
            s.CH2EnableBits,
            s.VPosCH2,
            s.FrameVPosCH2,
            s.PlotScaleCH2,
            s.ATTValueCH2,
            s.CalOffsetCH2Lo,
            s.CalOffsetCH2Hi,
            s.TrigLevelCH2,
            s.TrigPointerCH2,
            s.TrigOffsetCH2,
            s.TrigOnCH2,
            s.SampleIndexCH2};
}

using ChannelState = ChannelStateOf<ScopeState>;

// Ties the trigger to channel 1 or 2: that channel's TrigOn set, the other's cleared; any
// other number clears both.
inline void setTriggerChannel(ScopeState& s, int channel)
{
    s.TrigOnCH1 = channel == 1;
    s.TrigOnCH2 = channel == 2;
}

// One channel's shared variables of GlobalV (G is GlobalV or const GlobalV).
template <class G> struct ChannelSharedOf
{
    template <class T> using Ref = ConstLike<T, G>&;

    int number;
    Ref<float> ATTFactor;
    Ref<bool> ATTOn;
    Ref<float> Gain;
};

template <class G>
requires std::same_as<std::remove_const_t<G>, GlobalV> ChannelSharedOf<G> channelShared(G& g,
                                                                                        int channel)
{
    if (channel == 1)
        return {1, g.ATTFactorCH1, g.ATTOnCH1, g.GainCH1};
    return {2, g.ATTFactorCH2, g.ATTOnCH2, g.GainCH2};
}

using ChannelShared = ChannelSharedOf<GlobalV>;

// One channel's arrays of the capture record (A is SampleArrays or const SampleArrays).
template <class A> struct ChannelSamplesOf
{
    template <class T> using Ref = ConstLike<T, A>&;
    using Record = std::array<double, SampleArrays::Length>;
    using FastRecord = std::array<double, SampleArrays::FastLength>;

    int number;
    Ref<Record> Trace;
    Ref<Record> Counts;
    Ref<FastRecord> Trace750;
    Ref<FastRecord> Counts750;
};

template <class A>
requires std::same_as<std::remove_const_t<A>, SampleArrays> ChannelSamplesOf<A>
channelSamples(A& a, int channel)
{
    if (channel == 1)
        return {1, a.TraceCH1, a.CountsCH1, a.Trace750CH1, a.Counts750CH1};
    return {2, a.TraceCH2, a.CountsCH2, a.Trace750CH2, a.Counts750CH2};
}

} // namespace kv
