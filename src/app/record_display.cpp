#include "app/record_display.h"

#include "controls/cw_graph.h"
#include "controls/cw_slide.h"
#include "display/cursors.h"
#include "display/read_outs.h"
#include "spectrum/spectrum_launcher.h"
#include "state/names.h"

#include <QVector>

namespace kv {

namespace {

using names::CursorA;
using names::CursorB;
using names::PCH1;
using names::PCH2;

QVector<double> toVector(std::span<const double> values)
{
    return QVector<double>(values.begin(), values.end());
}

} // namespace

RecordDisplay::RecordDisplay(ScopeState& state, GlobalV& global, const Controls& controls,
                             ReadOuts& readOuts, Cursors& cursors, SpectrumLauncher& spectrum,
                             WindowPaint paint)
    : state_(state), global_(global), ui(controls), readOuts_(readOuts), cursors_(cursors),
      spectrum_(spectrum), paint_(std::move(paint))
{
}

void RecordDisplay::setBothSnapModes(int mode)
{
    ui.CWGraph1->setCursorSnapMode(CursorA, mode);
    ui.CWGraph1->setCursorSnapMode(CursorB, mode);
}

void RecordDisplay::snapCursors(bool attachPlot)
{
    if (ui.CWSlide2->position() != 1) {
        setBothSnapModes(CwGraph::SnapFloating);
        return;
    }
    if (!attachPlot) {
        setBothSnapModes(CwGraph::SnapToPlot);
        return;
    }
    const double channel = global_.ActiveChannel.toNumber();
    if (channel != 1 && channel != 2)
        return;
    const QLatin1String plot = names::channelPlot(int(channel));
    for (const QLatin1String cursor : {CursorA, CursorB}) {
        ui.CWGraph1->setCursorPlot(cursor, plot);
        ui.CWGraph1->setCursorSnapMode(cursor, CwGraph::SnapToPlot);
    }
}

bool RecordDisplay::traceShown(QLatin1String plot) const
{
    return ui.CWGraph1->plotVisible(plot);
}

void RecordDisplay::showTwoChannelRecord(std::span<const double> traceCH1,
                                         std::span<const double> traceCH2)
{
    readOuts_.UpdateReadouts();
    ui.CWGraph1->plotY(PCH1, toVector(traceCH1));
    ui.CWGraph1->plotY(PCH2, toVector(traceCH2));
    state_.FramePlotted = false;
    readOuts_.UpdateReadouts();
}

void RecordDisplay::showSingleChannelRecord(int channel, std::span<const double> trace)
{
    readOuts_.UpdateReadoutsSingle();
    if (channel != 0)
        ui.CWGraph1->plotY(names::channelPlot(channel), toVector(trace));
}

void RecordDisplay::showFastRecord(std::span<const double> trace750CH1,
                                   std::span<const double> trace750CH2)
{
    readOuts_.Measure();
    // 750 points at an X step of 2 cover the X range of a 1500-point record.
    ui.CWGraph1->plotY(PCH1, toVector(trace750CH1), 0.0, 2.0);
    ui.CWGraph1->plotY(PCH2, toVector(trace750CH2), 0.0, 2.0);
}

void RecordDisplay::passClosed()
{
    cursors_.Cursor();
    paint_.repaint();
}

void RecordDisplay::paintWhileWaiting()
{
    paint_.whileWaiting();
}

void RecordDisplay::setRunSwitch(bool on)
{
    spectrum_.setRunSwitch(on);
}

} // namespace kv
