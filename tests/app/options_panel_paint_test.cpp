// The Options panel lies over the graph: records arriving under it must not repaint the panel's
// controls (the COM box's style-sheet paint leaves a new pixmap in the application's cache each
// time), and the graph shows its records again once the panel closes.

#include "controls/picture_box.h"
#include "link/acquisition.h"
#include "support/main_fixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QTest>

namespace kv::test {
namespace {

// Counts the paint events a widget receives.
class PaintCount : public QObject
{
  public:
    explicit PaintCount(QWidget* widget) { widget->installEventFilter(this); }
    int paints = 0;

  protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

class OptionsPanelPaint : public MainFixture
{
  protected:
    void SetUp() override
    {
        dialogs().answer(MsgResult::No); // the first-run calibration question
        load();
        main().frmSplash().CloseSplash();
        main().show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&main()));
        main().mnuC2->trigger();
        main().mnuC1->trigger();
    }
    // Runs acquisition passes, serving the event loop (and so the window's paints) after each,
    // until `records` more records have been requested (each request follows a record read).
    void acquire(int records)
    {
        const std::size_t first = serial().written().size();
        for (int pass = 0; pass < 100 * records; ++pass) {
            main().acquisition->Timer1_Timer();
            QTest::qWait(2);
            if (serial().written().size() - first >= std::size_t(9 * records))
                return;
        }
        ADD_FAILURE() << "the records did not arrive";
    }
};

TEST_F(OptionsPanelPaint, RecordsUnderTheOpenPanelRepaintNoneOfItsControls)
{
    main().CWButton18->setValue(true); // opens the panel, Run off
    main().CWButton18->setValue(false);
    ASSERT_TRUE(main().Options->isVisible());
    main().CWButton1->setValue(true); // Run, with the panel still open
    main().Timer1->setEnabled(false); // the passes run below
    acquire(2);                       // what the opening repaints is over
    PaintCount combo(main().COMCombo);
    PaintCount panel(main().Options);
    PaintCount graph(main().CWGraph1->plotArea());
    acquire(20);
    EXPECT_EQ(combo.paints, 0);
    EXPECT_EQ(panel.paints, 0);
    EXPECT_EQ(graph.paints, 0) << "the graph painted beneath the panel";

    main().CWButton26->setValue(true); // CLOSE: the graph is seen again
    main().CWButton26->setValue(false);
    main().CWButton1->setValue(true);
    main().Timer1->setEnabled(false);
    acquire(3);
    QTest::qWait(100); // the window's paint, held back at most one interval
    EXPECT_GE(graph.paints, 1);
    EXPECT_EQ(combo.paints, 0);
}

} // namespace
} // namespace kv::test
