#pragma once

// Traces for the painting benchmarks and pictures, in the main window's graph units (its Y axis
// spans -200 to 200). Header only.

#include <QVector>
#include <cmath>
#include <random>

namespace kv::bench {

// A smooth sine of five periods over a 1500-point record (1 kHz at 1 ms/div).
inline QVector<double> smoothSine(double phase)
{
    QVector<double> y(1500);
    for (int i = 0; i < y.size(); ++i)
        y[i] = 150 * std::sin(phase + i * 2 * M_PI / 300.0);
    return y;
}

// White noise over the whole height of the plot area.
inline QVector<double> whiteNoise(std::mt19937& random)
{
    std::uniform_real_distribution<double> full(-200.0, 200.0);
    QVector<double> y(1500);
    for (double& value : y)
        value = full(random);
    return y;
}

} // namespace kv::bench
