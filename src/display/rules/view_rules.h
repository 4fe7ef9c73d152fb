#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

#include "platform/rules/variant.h"

#include <QString>
#include <optional>
#include <string>

namespace kv {

// ---- Pure view rules -------------------------------------------------------------------------

// The 500-point window centred on the view slider's value (not clamped to the record).
struct ViewWindow
{
    double minimum = 0;
    double maximum = 0;
};
ViewWindow ViewWindowAt(double sliderValue);

// Volts/div caption of index 1..6 ("100mV" .. "5V"); nullopt outside.
std::optional<QString> VdivCaption(const Variant& vdivIndex);

// VoltsPerCount written by Settings: 0.0196 for indexes 1..3, 0.7843 for 4..6; nullopt outside.
std::optional<float> SettingsVoltsPerCount(const Variant& vdivIndex);

// The steps each of the three view resets runs, in this order.
enum class ViewReset
{
    ZoomOutButton,
    ZoomOutItem,
    ResetPlot
};
struct ResetSteps
{
    bool gridPicture;       // plot-area picture "Grid.bmp"
    bool clearZoomed;       // IsZoomed := False
    bool disableZoomOut;    // ZoomOut disabled
    bool cursorMouseAction; // mouse action position 3
};
ResetSteps ResetStepsFor(ViewReset reset);

// The mouse pointer over the plot by MouseAction: "Zoom", "pan", anything else the cursor.
enum class PlotPointer
{
    Zoom,
    Pan,
    Cursor
};
PlotPointer PlotPointerFor(const std::string& mouseAction);

} // namespace kv
