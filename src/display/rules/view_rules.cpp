#include "display/rules/view_rules.h"

#include "state/voltsdiv_range.h"
#include "state/voltsdiv_table.h"

#include <cmath>

namespace kv {

namespace {

constexpr double HalfWindow = 250;
int vdivIndexOf(const Variant& index)
{
    const auto n = index.tryNumber();
    return n ? int(std::lround(*n)) : 0;
}

} // namespace

// ---- Pure view rules -------------------------------------------------------------------------

ViewWindow ViewWindowAt(double sliderValue)
{
    return {sliderValue - HalfWindow, sliderValue + HalfWindow};
}

std::optional<QString> VdivCaption(const Variant& vdivIndex)
{
    if (const auto row = voltsDivRow(vdivIndexOf(vdivIndex)))
        return QString::fromLatin1(row->label);
    return std::nullopt;
}

std::optional<float> SettingsVoltsPerCount(const Variant& vdivIndex)
{
    switch (voltsRangeOf(vdivIndexOf(vdivIndex))) {
    case VoltsRange::Low:
        return 0.0196f;
    case VoltsRange::High:
        return 0.7843f;
    case VoltsRange::None:
        return std::nullopt;
    }
    return std::nullopt;
}

ResetSteps ResetStepsFor(ViewReset reset)
{
    switch (reset) {
    case ViewReset::ZoomOutButton:
        return {true, true, false, true};
    case ViewReset::ZoomOutItem:
        return {true, true, true, false};
    case ViewReset::ResetPlot:
        break;
    }
    return {false, false, false, true};
}

PlotPointer PlotPointerFor(const std::string& mouseAction)
{
    if (mouseAction == "Zoom")
        return PlotPointer::Zoom;
    if (mouseAction == "pan")
        return PlotPointer::Pan;
    return PlotPointer::Cursor;
}

} // namespace kv
