#include "app/rules/face_scale.h"

#include <algorithm>
#include <cmath>

namespace kv {

namespace {

constexpr int DesignTextHeight = 16;
// Below this the face's texts would no longer be readable.
constexpr double SmallestScale = 0.5;

} // namespace

double FaceScale(int desktopTextHeight, const QSize& face, const QSize& chrome,
                 const QRect& workArea)
{
    double scale = double(desktopTextHeight) / DesignTextHeight;
    if (!workArea.isEmpty() && !face.isEmpty()) {
        const double across = double(workArea.width() - chrome.width()) / face.width();
        const double down = double(workArea.height() - chrome.height()) / face.height();
        scale = std::min({scale, across, down});
    }
    return std::max(SmallestScale, scale);
}

int ScaledPixels(int designPixels, double scale)
{
    return int(std::lround(designPixels * scale));
}

QRect ScaledRect(const QRect& design, double scale)
{
    const int left = ScaledPixels(design.x(), scale);
    const int top = ScaledPixels(design.y(), scale);
    const int right = ScaledPixels(design.x() + design.width(), scale);
    const int bottom = ScaledPixels(design.y() + design.height(), scale);
    return {left, top, right - left, bottom - top};
}

QString FaceStyleSheet(double scale)
{
    // Font sizes in pixels of the 16-pixel layout: 12 for the controls, 11 for labels, 9 for
    // read-out captions, 12 for titles, 19 for the edge symbol.
    const auto px = [scale](int design) {
        return QString::number(std::max(1, ScaledPixels(design, scale))) + QStringLiteral("px");
    };
    return QStringLiteral(R"(
QWidget { font-family: Arial; font-size: %1; }
QWidget#face { background: #181a1e; }
QLabel { color: #d8d8d8; font-size: %2; }
QLabel:disabled { color: #707070; }
QLabel[caption="true"] { color: #8fa0b0; font-size: %3; }
QLabel[readout="true"] { color: #7CFC9A; background: #0c0e10; border: 1px solid #3c424a;
                         font-family: 'Trebuchet MS'; font-size: %2; }
QLabel[tab="true"] { color: #e8e8e8; background: #3c424a; border: 1px solid #5a626c;
                     border-radius: 3px; font-weight: bold; }
QLabel[title="true"] { color: #f0c060; font-weight: bold; font-size: %4; }
QLabel[edgeSymbol="true"] { color: #f0c060; font-size: %5; font-weight: bold; }
QGroupBox { color: #f0c060; border: 1px solid #5a626c; border-radius: 4px; margin-top: %6;
            font-weight: bold; font-size: %2; }
QGroupBox::title { subcontrol-origin: margin; left: %7; }
QComboBox { background: #0c0e10; color: #d8d8d8; border: 1px solid #5a626c; }
)")
        .arg(px(12), px(11), px(9), px(12), px(19), px(10), px(8));
}

} // namespace kv
