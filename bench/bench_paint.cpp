// Painting costs of the shown main window: the graph's plot area with two 1500-point traces (a
// smooth sine and white noise over the full height, the selected trace 1 px or 2 px wide), and
// the whole face.
#include "bench_main_window.h"
#include "bench_traces.h"
#include "controls/cw_graph.h"
#include "controls/picture_box.h"
#include "instrument-sim/in_process_serial.h"

#include <QApplication>
#include <QPixmap>
#include <benchmark/benchmark.h>
#include <cmath>
#include <random>

namespace {

using namespace kv;
using namespace kv::bench;

// The plot area painted as the screen shows it, into a picture made once.
void paintPlotArea(CwGraph& graph, QPixmap& canvas)
{
    graph.plotArea()->render(&canvas);
}

struct ShownWindow
{
    ShownWindow() : window(serial, dir.path())
    {
        window.start();
        window.w.unloadSplash();
        window.w.Options->setVisible(false); // the first start shows the Options panel
        window.w.show();
        QApplication::processEvents();
    }
    QTemporaryDir dir;
    InProcessSerial serial;
    Window window;
};

void BM_GraphRepaintTwoTraces(benchmark::State& state)
{
    ShownWindow shown;
    CwGraph& graph = *shown.window.w.CWGraph1;
    QPixmap canvas(graph.plotArea()->size());
    graph.setPlotLineWidth(QStringLiteral("PCH1"), int(state.range(0)));
    double phase = 0;
    for (auto _ : state) {
        graph.plotY(QStringLiteral("PCH1"), smoothSine(phase += 0.1));
        graph.plotY(QStringLiteral("PCH2"), smoothSine(phase + 1));
        paintPlotArea(graph, canvas);
    }
}
BENCHMARK(BM_GraphRepaintTwoTraces)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_GraphRepaintTwoNoiseTraces(benchmark::State& state)
{
    ShownWindow shown;
    CwGraph& graph = *shown.window.w.CWGraph1;
    QPixmap canvas(graph.plotArea()->size());
    graph.setPlotLineWidth(QStringLiteral("PCH1"), int(state.range(0)));
    std::mt19937 random(7);
    const QVector<double> traces[] = {whiteNoise(random), whiteNoise(random), whiteNoise(random),
                                      whiteNoise(random)};
    int next = 0;
    for (auto _ : state) {
        graph.plotY(QStringLiteral("PCH1"), traces[next]);
        graph.plotY(QStringLiteral("PCH2"), traces[(next + 1) % 4]);
        next = (next + 2) % 4;
        paintPlotArea(graph, canvas);
    }
}
BENCHMARK(BM_GraphRepaintTwoNoiseTraces)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

void BM_GraphRepaintEmpty(benchmark::State& state)
{
    ShownWindow shown;
    QPixmap canvas(shown.window.w.CWGraph1->plotArea()->size());
    for (auto _ : state)
        paintPlotArea(*shown.window.w.CWGraph1, canvas);
}
BENCHMARK(BM_GraphRepaintEmpty)->Unit(benchmark::kMicrosecond);

// The whole face painted at once (a full repaint, as an expose needs it; after a record only
// what changed is painted).
void BM_WindowRepaint(benchmark::State& state)
{
    ShownWindow shown;
    QPixmap window(shown.window.w.size());
    for (auto _ : state)
        shown.window.w.render(&window);
}
BENCHMARK(BM_WindowRepaint)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
