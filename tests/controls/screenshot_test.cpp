#include "controls/cw_button.h"
#include "controls/cw_color.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"

#include <QDir>
#include <QGridLayout>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace kv {
namespace {

// Renders every control on one instrument face into build/screenshots/controls.png, so their
// look can be checked by eye; the test itself only checks that a picture was written.
class Face : public QWidget
{
  public:
    Face()
    {
        QPalette pal = palette();
        pal.setColor(QPalette::Window, colorFromBgr(face::Background));
        setPalette(pal);
        setAutoFillBackground(true);
        auto* grid = new QGridLayout(this);

        auto* vpos = new CwSlide(Qt::Vertical);
        vpos->setAxisMinimum(-200);
        vpos->setAxisMaximum(200);
        vpos->setInverted(true);
        vpos->setPointerName(1, "VCH1");
        vpos->setPointerColor(1, 0xFF0000);
        vpos->addPointer("VCH2", -60, 0x0000FF);
        vpos->setPointerValue(1, 40);
        grid->addWidget(vpos, 0, 0);

        grid->addWidget(makeGraph(), 0, 1);

        auto* trig = new CwSlide(Qt::Vertical);
        trig->setAxisMinimum(-200);
        trig->setAxisMaximum(201);
        trig->setInverted(true);
        trig->setPointerColor(1, 0xFF0000);
        trig->setPointerValue(1, -10);
        grid->addWidget(trig, 0, 2);

        auto* view = new CwSlide(Qt::Horizontal);
        view->setAxisMinimum(40);
        view->setAxisMaximum(1460);
        view->setPointerValue(1, 750);
        view->addPointer("Trigger", 150, 0x00FF00);
        grid->addWidget(view, 1, 1);

        grid->addWidget(makeKnobs(), 0, 3, 2, 1);
        grid->addWidget(makeButtons(), 2, 0, 1, 4);
    }

  private:
    static CwGraph* makeGraph()
    {
        auto* g = new CwGraph();
        g->setMinimumSize(520, 400);
        g->setAxisMinMax(CwGraph::XAxis, 500, 1000);
        g->setAxisMinMax(CwGraph::YAxis, -200, 200);
        g->setYAxisDownward(true);
        g->setAxisVisible(CwGraph::XAxis, false);
        g->setAxisVisible(CwGraph::YAxis, false);
        g->addPlot("PCH1", 0xFF0000);
        g->addPlot("PCH2", 0x0000FF);
        QVector<double> a(1500);
        QVector<double> b(1500);
        for (int i = 0; i < 1500; ++i) {
            a[i] = 40 - 80 * std::sin(i / 40.0);
            b[i] = -60 + ((i / 60) % 2 ? 50 : -50);
        }
        g->plotY("PCH1", a);
        g->plotY("PCH2", b);
        g->addCursor("A", 0x0000FF);
        g->addCursor("B", 0xFF0000);
        g->setCursorCrosshairStyle("A", CwGraph::CrosshairVertical);
        g->setCursorCrosshairStyle("B", CwGraph::CrosshairBoth);
        g->setCursorPointStyle("B", CwGraph::PointMarker);
        g->setCursorSnapMode("B", CwGraph::SnapToPlot);
        g->setCursorPlot("B", "PCH1");
        g->moveCursor("A", 620, 0);
        g->moveCursor("B", 860, 0);
        g->addCursor("T", 0xFF0000);
        g->setCursorCrosshairStyle("T", CwGraph::CrosshairHorizontal);
        g->moveCursor("T", 750, -10);
        return g;
    }

    static QWidget* makeKnobs()
    {
        auto* box = new QWidget();
        auto* l = new QVBoxLayout(box);
        auto* time = new CwKnob();
        time->setPositions({"50us", "100us", "200us", "500us", "1ms", "2ms", "5ms", "10ms", "20ms",
                            "50ms", "100ms", "200ms", "500ms", "1s"});
        time->setPosition(5);
        time->setMinimumSize(190, 190);
        auto* volts = new CwKnob();
        volts->setPositions({"100mV", "200mV", "500mV", "1V", "2V", "5V"});
        volts->setPointerColor(1, 0xFF0000);
        volts->setPosition(2);
        volts->setMinimumSize(170, 170);
        auto* off = new CwKnob();
        off->setPositions({"a", "b", "c"});
        off->setEnabled(false);
        off->setMinimumSize(120, 120);
        l->addWidget(time);
        l->addWidget(volts);
        l->addWidget(off);
        return box;
    }

    static QWidget* makeButtons()
    {
        auto* box = new QWidget();
        auto* l = new QHBoxLayout(box);
        auto* run = new CwButton(CwButton::Style::LightPushButton);
        run->setCaption("RUN/STOP");
        run->setValue(true);
        auto* off = new CwButton(CwButton::Style::PushButton);
        off->setCaption("OFF");
        off->setOffColor(0x303030);
        auto* ch1 = new CwButton(CwButton::Style::PushButton);
        ch1->setCaption("CH1");
        ch1->setOffColor(0xFF0000);
        auto* ledOn = new CwButton(CwButton::Style::SquareLed);
        ledOn->setOnColor(0x00FF00);
        ledOn->setValue(true);
        auto* ledYellow = new CwButton(CwButton::Style::SquareLed);
        ledYellow->setOnColor(0x00FFFF);
        ledYellow->setValue(true);
        auto* ledOff = new CwButton(CwButton::Style::SquareLed);
        auto* lamp = new CwButton(CwButton::Style::RoundLed);
        lamp->setOnColor(65380);
        lamp->setValue(true);
        auto* lampRed = new CwButton(CwButton::Style::RoundLed);
        lampRed->setOnColor(255);
        lampRed->setValue(true);
        auto* edge = new CwButton(CwButton::Style::VerticalSwitch);
        edge->setOnText("R");
        edge->setOffText("F");
        edge->setValue(true);
        auto* mode = new CwButton(CwButton::Style::VerticalSwitch);
        mode->setOnText("A");
        mode->setOffText("N");
        auto* selector = new CwSlide(Qt::Vertical);
        selector->setPositions({"Horizontal Bars", "Vertical Bars", "Paired Bars", "OFF"});
        selector->setPosition(3);
        auto* progress = new CwSlide(Qt::Horizontal);
        progress->setLook(CwSlide::Look::Progress);
        progress->setAxisMaximum(100);
        progress->setPointerColor(1, 0x00C000);
        progress->setValue(60);
        progress->setMinimumWidth(120);
        for (QWidget* w :
             std::initializer_list<QWidget*>{run, off, ch1, ledOn, ledYellow, ledOff, lamp, lampRed,
                                             edge, mode, selector, progress}) {
            w->setMinimumSize(w->sizeHint());
            l->addWidget(w);
        }
        return box;
    }
};

TEST(Screenshot, RendersEveryControl)
{
    Face face;
    face.resize(1000, 720);
    face.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&face));
    const QString folder = QStringLiteral(KV_BINARY_DIR) + "/screenshots";
    QDir().mkpath(folder);
    const QImage picture = face.grab().toImage();
    ASSERT_TRUE(picture.save(folder + "/controls.png"));
    EXPECT_EQ(picture.size(), face.size());
}

} // namespace
} // namespace kv
