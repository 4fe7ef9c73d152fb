// The trigger pointer dragged by the mouse onto a trace sets the trace's level: the slide's
// scale is the graph's, so what the eye lines up is what the instrument is sent.
#include "controls/mouse_helpers.h"
#include "link/acquisition.h"
#include "state/names.h"
#include "support/main_fixture.h"

#include <QApplication>
#include <QTest>
#include <cmath>
#include <numeric>

namespace kv::test {
namespace {

// A read-out such as "996mV", "1.016 V" or "-2.5 V" in volts.
double volts(const QString& text)
{
    if (text.endsWith(QLatin1String("mV")))
        return text.chopped(2).toDouble() / 1000;
    return text.chopped(1).trimmed().toDouble();
}

class TriggerDragTest : public MainFixture
{
  protected:
    void SetUp() override
    {
        dialogs().answer(MsgResult::No); // the first start offers the probe calibration
        // Different levels, so that the test sees which channel the trigger reads.
        instrument().setSignal(1, {SimWaveform::Dc, 1000.0, 0.0, 1.0});
        instrument().setSignal(2, {SimWaveform::Dc, 1000.0, 0.0, -0.5});
        Main& m = load();
        m.Options->setVisible(false);
        m.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m));
        m.CWKnob2->setPosition(5); // 1 ms/div: both channels in every record
        QTest::mouseClick(m.CH2Button, Qt::LeftButton);
        QTest::mouseClick(m.CH1Button, Qt::LeftButton);
        m.CWKnob1->setPosition(4); // channel 1 at 1 V/div
        ASSERT_EQ(m.CWSlide5->position(), 1);
    }

    // Runs until a record has been shown, then stops.
    void captureOneRecord()
    {
        Main& m = main();
        m.CWButton1->setValue(true);
        for (int i = 0; i < 4; ++i)
            m.acquisition->Timer1_Timer();
        m.CWButton1->setValue(false);
        QApplication::processEvents();
    }

    // The trace's level in graph units, and the row of the trigger slide it is drawn at.
    double channel1Level() const
    {
        const auto& trace = const_cast<TriggerDragTest*>(this)->main().global.Samples.TraceCH1;
        return std::accumulate(trace.begin(), trace.end(), 0.0) / double(trace.size());
    }
    int rowOnTriggerSlide(double level)
    {
        Main& m = main();
        const QPoint inFace =
            m.CWGraph1->plotArea()->mapTo(m.centralWidget(), m.CWGraph1->plotAreaPoint(750, level));
        return m.CWSlide3->mapFrom(m.centralWidget(), inFace).y();
    }
};

TEST_F(TriggerDragTest, PointerDraggedOntoADcTraceReadsTheTracesLevel)
{
    Main& m = main();
    captureOneRecord();
    const double level = channel1Level();
    // 1 V at 1 V/div: a division (50 units) above the zero line at 0.
    ASSERT_NEAR(level, -50.0, 4.0);

    const QPoint tip = m.CWSlide3->pointerPoint(1).toPoint();
    drag(m.CWSlide3, tip, QPoint(tip.x(), rowOnTriggerSlide(level)));
    // One count of the 20 V range is 20 / 255 V.
    EXPECT_NEAR(volts(m.lblTrg->text()), 1.0, 20.0 / 255) << m.lblTrg->text().toStdString();
    EXPECT_NEAR(m.state.TrigLevelCH1.toNumber(), 127.5 + 255.0 / 20, 1.0);
    // Cursor "T" marks the trigger height on the trace.
    EXPECT_TRUE(m.CWGraph1->cursorVisible(names::CursorT));
    EXPECT_NEAR(m.CWGraph1->cursorY(names::CursorT), level, 2.0);
}

} // namespace
} // namespace kv::test
