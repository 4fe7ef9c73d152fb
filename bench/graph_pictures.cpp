// Writes pictures of the shown main window's graph with a smooth and a noisy trace, the
// selected trace 1 px and 2 px wide, for comparing the trace drawing before and after a change:
//
//   graph_pictures FOLDER      (writes smooth-1px.png, smooth-2px.png, noisy-1px.png,
//   noisy-2px.png)
#include "bench_main_window.h"
#include "bench_traces.h"
#include "controls/cw_graph.h"
#include "controls/picture_box.h"
#include "instrument-sim/in_process_serial.h"

#include <QApplication>
#include <cmath>
#include <iostream>
#include <random>

namespace {

using namespace kv;
using namespace kv::bench;

// A 1 kHz sine at 10 ms/div (5 samples a period) with noise: a trace over the whole height.
QVector<double> noisySine(unsigned seed)
{
    std::mt19937 random(seed);
    std::normal_distribution<double> noise(0.0, 12.0);
    QVector<double> y(1500);
    for (int i = 0; i < y.size(); ++i)
        y[i] = 150 * std::sin(i * 2 * M_PI / 5.0 + 0.3) + noise(random);
    return y;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: graph_pictures FOLDER\n";
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir programFolder;
    InProcessSerial serial;
    Window window(serial, programFolder.path());
    window.start();
    window.w.unloadSplash();
    window.w.Options->setVisible(false);
    window.w.show();
    pump(200);
    CwGraph& graph = *window.w.CWGraph1;
    const struct
    {
        const char* name;
        QVector<double> ch1;
        QVector<double> ch2;
    } traces[] = {{"smooth", smoothSine(0.0), smoothSine(1.0)},
                  {"noisy", noisySine(1), noisySine(2)}};
    for (const auto& trace : traces) {
        for (const int width : {1, 2}) {
            graph.setPlotLineWidth(QStringLiteral("PCH1"), width);
            graph.plotY(QStringLiteral("PCH1"), trace.ch1);
            graph.plotY(QStringLiteral("PCH2"), trace.ch2);
            const QString file = folder.filePath(
                QStringLiteral("%1-%2px.png").arg(QLatin1String(trace.name)).arg(width));
            if (!graph.picture().save(file)) {
                std::cerr << "graph_pictures: cannot write " << file.toStdString() << "\n";
                return 1;
            }
        }
    }
    return 0;
}
