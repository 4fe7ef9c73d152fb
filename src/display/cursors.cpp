#include "display/cursors.h"

#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/picture_box.h"
#include "display/rules/value_format.h"
#include "platform/rules/runtime_rules.h"
#include "platform/services.h"
#include "state/channel_fields.h"
#include "state/names.h"
#include "state/timebase_table.h"
#include "state/voltsdiv_range.h"
#include "state/voltsdiv_table.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <array>
#include <cmath>

namespace kv {

namespace {

using names::CursorA;
using names::CursorB;

double number(const Variant& value)
{
    return value.toNumber();
}

// Cursor set-up per style: track mode, crosshair, point style, cursors visible, time labels
// shown, voltage labels shown.
struct StyleRow
{
    int trackMode;
    int crosshair;
    int point;
    bool visible;
    bool times;
    bool voltages;
};
constexpr std::array<StyleRow, 4> StyleTable{{
    {CwGraph::TrackDragCursors, CwGraph::CrosshairHorizontal, CwGraph::PointNone, true, false,
     true},
    {CwGraph::TrackDragCursors, CwGraph::CrosshairVertical, CwGraph::PointNone, true, true, false},
    {CwGraph::TrackDragCursors, CwGraph::CrosshairBoth, CwGraph::PointMarker, true, true, true},
    {CwGraph::TrackNothing, CwGraph::CrosshairBoth, CwGraph::PointNone, false, false, false},
}};

constexpr int StyleOff = 3;
constexpr int MouseActionCursors = 3;

} // namespace

// ---- The handler group ------------------------------------------------------------------------

Cursors::Cursors(ScopeState& state, const GlobalV& global, Dialogs& dialogs,
                 const Controls& controls)
    : state_(state), global_(global), dialogs_(dialogs), ui(controls)
{
    connect(ui.GraphMode, &CwSlide::pointerValueChanged, this,
            &Cursors::GraphMode_PointerValueChanged);
    connect(ui.CWSlide2, &CwSlide::pointerValueChanged, this,
            &Cursors::CWSlide2_PointerValueChanged);
    connect(ui.btnAPOS, &CwButton::valueChanged, this, &Cursors::btnAPOS_ValueChanged);
    connect(ui.btnBPOS, &CwButton::valueChanged, this, &Cursors::btnBPOS_ValueChanged);
    connect(ui.CWGraph1, &CwGraph::plotAreaMouseDown, this, &Cursors::CWGraph1_PlotAreaMouseDown);
    connect(ui.CWGraph1, &CwGraph::cursorChange, this, &Cursors::CWgraph1_CursorChange);
    connect(ui.CWButton5, &CwButton::valueChanged, this, &Cursors::CWButton5_ValueChanged);
    connect(ui.CWButton6, &CwButton::valueChanged, this, &Cursors::CWButton6_ValueChanged);
    connect(ui.mnuPOPCursor, &QMenu::aboutToShow, this, &Cursors::mnuPOPCursor_Click);
    connect(ui.mnuPOPCHorizontal, &QAction::triggered, this, &Cursors::mnuPOPCHorizontal_Click);
    connect(ui.mnuPOPCVertical, &QAction::triggered, this, &Cursors::mnuPOPCVertical_Click);
    connect(ui.mnuPOPCPaired, &QAction::triggered, this, &Cursors::mnuPOPCPaired_Click);
    connect(ui.mnuPOPCoff, &QAction::triggered, this, &Cursors::mnuPOPCoff_Click);
    connect(ui.mnuPOPCSnap, &QAction::triggered, this, &Cursors::mnuPOPCSnap_Click);
    connect(ui.mnuPOPCFloat, &QAction::triggered, this, &Cursors::mnuPOPCFloat_Click);
}

int Cursors::graphModeValue() const
{
    return int(std::lround(ui.GraphMode->value()));
}

void Cursors::Cursor()
{
    if (ui.GraphMode->position() == 4)
        return;
    CwGraph& g = *ui.CWGraph1;
    ScopeState& s = state_;
    CursorInput in;
    in.ax = g.cursorX(CursorA);
    in.ay = g.cursorY(CursorA);
    in.bx = g.cursorX(CursorB);
    in.by = g.cursorY(CursorB);

    const double channel = number(global_.ActiveChannel);
    std::optional<TimeScale> time;
    if (channel == 1 || channel == 2)
        time = KnobTimeScale(ui.CWKnob2->position());
    else if (channel == ReferenceChannel)
        time = ReferenceTimeScale(s.HREFLabel.toText());
    if (time) {
        s.TimePerPointText = time->timePerPointText;
        s.TimeUnitText = time->unitText;
        s.TimeUnitFactor = time->unitFactor;
    }

    // The unit band follows the row the scale comes from: a channel's own range, the reference's
    // by its volts/div caption. The knob's index may still be the previous channel's (a channel
    // button reads the cursors before it turns the knob), and a mix reads mV as V.
    int band = truncateToPosition(s.VdivIndex);
    std::optional<int> row;
    if (channel == 1 || channel == 2)
        row = truncateToPosition(channelState(s, int(channel)).VdivIndex);
    else if (channel == ReferenceChannel)
        row = VdivIndexOfCaption(s.VREFLabel.toText());
    if (row && CursorVoltScale(*row))
        band = *row;
    if (const auto volts = row ? CursorVoltScale(*row) : std::nullopt) {
        s.VoltsPerCount = volts->voltsPerCount;
        s.VoltUnitText = volts->unitText;
    }

    if (channel == 1 || channel == 2) {
        const double zero = roundHalfEven(ui.CWSlide4->pointerValue(int(channel)));
        in.ay -= zero;
        in.by -= zero;
    }

    in.origin = TimeOrigin(truncateToPosition(s.HTrigPosition));
    in.timePerPointText = s.TimePerPointText;
    in.timeUnitText = s.TimeUnitText;
    in.timeUnitFactor = s.TimeUnitFactor;
    in.voltsPerCount = s.VoltsPerCount;
    in.voltUnitText = s.VoltUnitText;
    in.vdivIndex = band;
    in.graphModeValue = graphModeValue();
    const CursorReadout r = ComputeCursorReadout(in);

    s.CursorAX = r.CursorAX;
    ui.lblXpos->setText(QString::fromStdString(r.lblXpos));
    if (r.voltages) {
        s.CursorAY = r.CursorAY;
        ui.lblYPos->setText(QString::fromStdString(r.lblYPos));
    }
    s.CursorBX = r.CursorBX;
    ui.lblXPos2->setText(QString::fromStdString(r.lblXPos2));
    if (r.voltages) {
        s.CursorBY = r.CursorBY;
        ui.lblYpos2->setText(QString::fromStdString(r.lblYpos2));
        ui.lblYDelta->setText(QString::fromStdString(r.lblYDelta));
    }
    ui.lblXDelta->setText(QString::fromStdString(r.lblXDelta));

    if (in.graphModeValue == 0) {
        ui.ImgINF->setVisible(false);
        ui.lblFRQMain->setVisible(false);
    } else if (r.frequency == FrequencyShow::Value) {
        ui.lblFRQMain->setText(QString::fromStdString(r.frequencyText));
        ui.ImgINF->setVisible(false);
        if (const auto formatted = Format_Frequency(Variant(r.frequencyText)))
            s.FormatResult = *formatted;
        ui.lblFRQMain->setText(QString::fromStdString(s.FormatResult.toText()));
        ui.lblFRQMain->setVisible(true);
    } else if (r.frequency == FrequencyShow::Infinite) {
        ui.ImgINF->setVisible(true);
        ui.lblFRQMain->setVisible(false);
    }
}

void Cursors::CursorMode()
{
    setCursorModeFor(graphModeValue());
}

void Cursors::setCursorModeFor(int style)
{
    if (style < 0 || style >= int(StyleTable.size()))
        return;
    const StyleRow& row = StyleTable[style];
    CwGraph& g = *ui.CWGraph1;
    // The style decides what a drag does only in cursor mode; in zoom or pan mode (a settings
    // load switching to floating cursors runs this too) the drag stays what the slide shows.
    if (ui.CWSlide7->position() == MouseActionCursors)
        g.setTrackMode(row.trackMode);
    for (QLatin1String c : {CursorA, CursorB}) {
        g.setCursorCrosshairStyle(c, row.crosshair);
        g.setCursorPointStyle(c, row.point);
        g.setCursorVisible(c, row.visible);
    }
    for (QLabel* l : {ui.lblXpos, ui.lblXPos2, ui.lblXDelta})
        l->setVisible(row.times);
    for (QLabel* l : {ui.lblYPos, ui.lblYpos2, ui.lblYDelta})
        l->setVisible(row.voltages);
    if (style == 1 || style == 2) {
        showFrequencyByDelta();
    } else {
        ui.lblFRQMain->setVisible(false);
        ui.ImgINF->setVisible(false);
    }
}

void Cursors::showFrequencyByDelta()
{
    const bool zero = TimeDeltaIsZero(state_.CursorAX, state_.CursorBX);
    ui.lblFRQMain->setVisible(!zero);
    ui.ImgINF->setVisible(zero);
}

void Cursors::applyCursorStyle(int style)
{
    if (style < 0 || style > StyleOff)
        return;
    ui.mnuPOPCHorizontal->setChecked(style == 0);
    ui.mnuPOPCVertical->setChecked(style == 1);
    ui.mnuPOPCPaired->setChecked(style == 2);
    setCursorModeFor(style);
    if (style == StyleOff) {
        for (QWidget* w : {static_cast<QWidget*>(ui.CWSlide2), static_cast<QWidget*>(ui.btnAPOS),
                           static_cast<QWidget*>(ui.btnBPOS)})
            w->setEnabled(false);
    } else {
        ui.CWSlide2->setEnabled(true);
    }
}

void Cursors::GraphMode_PointerValueChanged(int /*pointer*/, double value)
{
    ui.CWKnob1->setEnabled(true);
    ui.btnAPOS->setEnabled(true);
    ui.btnBPOS->setEnabled(true);
    ui.CWGraph1->setCursorColor(CursorA, ui.CWButton24->offColor());
    ui.CWGraph1->setCursorColor(CursorB, ui.CWButton23->offColor());
    applyCursorStyle(int(std::lround(value)));
}

void Cursors::CWSlide2_PointerValueChanged(int /*pointer*/, double /*value*/)
{
    CwGraph& g = *ui.CWGraph1;
    switch (ui.CWSlide2->position()) {
    case 1:
        ui.mnuPOPCFloat->setChecked(false);
        ui.mnuPOPCSnap->setChecked(true);
        g.setCursorSnapMode(CursorA, CwGraph::SnapToPlot);
        g.setCursorSnapMode(CursorB, CwGraph::SnapToPlot);
        break;
    case 2: {
        ui.mnuPOPCFloat->setChecked(true);
        ui.mnuPOPCSnap->setChecked(false);
        const double ax = g.cursorX(CursorA), ay = g.cursorY(CursorA);
        const double bx = g.cursorX(CursorB), by = g.cursorY(CursorB);
        g.removeCursor(CursorA);
        g.removeCursor(CursorB);
        g.addCursor(CursorA);
        g.addCursor(CursorB);
        g.setCursorColor(CursorA, ui.CWButton5->offColor());
        g.setCursorColor(CursorB, ui.CWButton6->offColor());
        g.setCursorSnapMode(CursorA, CwGraph::SnapFloating);
        g.setCursorSnapMode(CursorB, CwGraph::SnapFloating);
        CursorMode();
        g.setCursorX(CursorA, ax);
        g.setCursorY(CursorA, ay);
        g.setCursorX(CursorB, bx);
        g.setCursorY(CursorB, by);
        break;
    }
    default:
        break;
    }
}

void Cursors::btnAPOS_ValueChanged(bool value)
{
    if (value)
        ui.CWGraph1->setTrackMode(CwGraph::TrackNothing);
    else
        applyCursorStyle(graphModeValue());
    Cursor();
}

void Cursors::btnBPOS_ValueChanged(bool value)
{
    btnAPOS_ValueChanged(value);
}

void Cursors::CWGraph1_PlotAreaMouseDown(int button, int /*shift*/, double x, double y)
{
    const bool armed = ui.btnAPOS->value() || ui.btnBPOS->value();
    if (button == 1) {
        if (ui.btnAPOS->value())
            ui.CWGraph1->moveCursor(CursorA, x, y);
        if (ui.btnBPOS->value())
            ui.CWGraph1->moveCursor(CursorB, x, y);
    }
    Cursor();
    ui.btnAPOS->setValue(false);
    ui.btnBPOS->setValue(false);
    // In zoom or pan mode the press must not turn the plot area over to cursor dragging.
    if (armed || ui.CWSlide7->position() == MouseActionCursors)
        applyCursorStyle(graphModeValue());
}

void Cursors::CWgraph1_CursorChange(const QString& /*name*/, double /*x*/, double /*y*/)
{
    Cursor();
}

void Cursors::chooseColor(const QString& cursor, CwButton* colorButton, CwButton* swatch,
                          CwButton* placeButton)
{
    if (const auto chosen = dialogs_.ShowColor(ui.CWGraph1->cursorColor(cursor))) {
        ui.CWGraph1->setCursorColor(cursor, *chosen);
        colorButton->setOffColor(*chosen);
        swatch->setOffColor(*chosen);
        placeButton->setOffColor(*chosen);
    }
    colorButton->setValue(false);
}

void Cursors::CWButton5_ValueChanged(bool value)
{
    if (value)
        chooseColor(CursorA, ui.CWButton5, ui.CWButton24, ui.btnAPOS);
}

void Cursors::CWButton6_ValueChanged(bool value)
{
    if (value)
        chooseColor(CursorB, ui.CWButton6, ui.CWButton23, ui.btnBPOS);
}

void Cursors::mnuPOPCursor_Click()
{
    ui.CWSlide7->setPosition(MouseActionCursors);
}

void Cursors::selectStyleFromMenu(int graphModePosition)
{
    ui.CWSlide7->setPosition(MouseActionCursors);
    ui.GraphMode->setPosition(graphModePosition);
}

void Cursors::mnuPOPCHorizontal_Click()
{
    selectStyleFromMenu(1);
}
void Cursors::mnuPOPCVertical_Click()
{
    selectStyleFromMenu(2);
}
void Cursors::mnuPOPCPaired_Click()
{
    selectStyleFromMenu(3);
}
void Cursors::mnuPOPCoff_Click()
{
    selectStyleFromMenu(4);
}
void Cursors::mnuPOPCSnap_Click()
{
    ui.CWSlide2->setPosition(1);
}
void Cursors::mnuPOPCFloat_Click()
{
    ui.CWSlide2->setPosition(2);
}

} // namespace kv
