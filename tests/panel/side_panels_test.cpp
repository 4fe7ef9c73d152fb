#include "controls/picture_box.h"
#include "front_panel_fixture.h"
#include "panel/side_panels.h"

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace kv::test {
namespace {

class SidePanelsTest : public FrontPanelFixture
{
  protected:
    std::array<PictureBox*, 4> pages()
    {
        Main& m = main();
        return {m.picCursor, m.picFile, m.picMeasure, m.picTrigger};
    }
    void show(PictureBox* page)
    {
        for (PictureBox* p : pages())
            p->setVisible(p == page);
    }
    std::vector<std::string> visiblePages()
    {
        std::vector<std::string> names;
        for (PictureBox* p : pages())
            if (Visible(p))
                names.push_back(p->objectName().toStdString());
        return names;
    }
};

TEST_F(SidePanelsTest, EveryTabBringsUpItsPage)
{
    struct Case
    {
        PictureBox* Main::*tab;
        PictureBox* Main::*on;
        const char* shows;
    };
    const Case cases[] = {
        {&Main::imgCF, &Main::picCursor, "picFile"},
        {&Main::imgCM, &Main::picCursor, "picMeasure"},
        {&Main::imgCT, &Main::picCursor, "picTrigger"},
        {&Main::imgFC, &Main::picFile, "picCursor"},
        {&Main::imgFM, &Main::picFile, "picMeasure"},
        {&Main::imgFT, &Main::picFile, "picTrigger"},
        {&Main::imgMC, &Main::picMeasure, "picCursor"},
        {&Main::imgMF, &Main::picMeasure, "picFile"},
        {&Main::imgMT, &Main::picMeasure, "picTrigger"},
        {&Main::imgTC, &Main::picTrigger, "picCursor"},
        {&Main::imgTM, &Main::picTrigger, "picMeasure"},
        {&Main::imgFS, &Main::picTrigger, "picFile"},
    };
    Main& m = main();
    for (const Case& c : cases) {
        PictureBox* tab = m.*c.tab;
        SCOPED_TRACE(tab->objectName().toStdString());
        show(m.*c.on);
        EXPECT_EQ(tab->parentWidget(), m.*c.on); // the tab lies on the page it leaves
        Q_EMIT tab->clicked();
        EXPECT_EQ(visiblePages(), std::vector<std::string>{c.shows});
    }
}

TEST_F(SidePanelsTest, OpeningTheOptionsPanelStopsAcquisitionAndWatchesTheLink)
{
    Main& m = main();
    m.CWButton1->setValue(true); // acquiring
    m.CheckCOM->setEnabled(false);
    m.lblSearchPort->setText(QStringLiteral("Searching"));
    m.btnSelectCOMPort->setOnText(QStringLiteral("on"));
    m.btnSelectCOMPort->setOffText(QStringLiteral("off"));
    m.CWButton18->setValue(true);
    EXPECT_FALSE(m.CWButton1->value());
    EXPECT_TRUE(Visible(m.Options));
    EXPECT_TRUE(m.CheckCOM->enabled());
    EXPECT_EQ(m.lblSearchPort->text(), "");
    EXPECT_EQ(m.btnSelectCOMPort->onText(), "");
    EXPECT_EQ(m.btnSelectCOMPort->offText(), "");
}

TEST_F(SidePanelsTest, PressingItAgainWhileOpenChangesNothingFurther)
{
    Main& m = main();
    m.CWButton18->setValue(true);
    m.CWButton18->setValue(false);
    EXPECT_TRUE(Visible(m.Options)); // the release does not close it
    m.CWButton18->setValue(true);
    EXPECT_TRUE(Visible(m.Options));
    EXPECT_FALSE(m.CWButton1->value());
    EXPECT_TRUE(m.CheckCOM->enabled());
}

TEST_F(SidePanelsTest, SetComPortItemOpensThePanel)
{
    Main& m = main();
    if (!m.portSearch)
        GTEST_SKIP() << "the Set COM Port item has no handler yet";
    m.CWButton1->setValue(true);
    m.mnuFcom->trigger();
    EXPECT_TRUE(Visible(m.Options));
    EXPECT_FALSE(m.CWButton1->value());
}

TEST_F(SidePanelsTest, ClosingLeavesTheLinkWatchOnAndAcquisitionStopped)
{
    Main& m = main();
    m.CWButton1->setValue(true);
    m.CWButton18->setValue(true);
    m.CheckCOM->setEnabled(false);
    m.btnSearchCOMPort->setVisible(true);
    m.btnSelectCOMPort->setVisible(true);
    m.Label4->setVisible(false);
    m.CWButton26->setValue(true);
    EXPECT_FALSE(Visible(m.Options));
    EXPECT_TRUE(m.CheckCOM->enabled());
    EXPECT_FALSE(m.CWButton1->value());
    EXPECT_FALSE(Visible(m.btnSearchCOMPort));
    EXPECT_FALSE(Visible(m.btnSelectCOMPort));
    EXPECT_TRUE(Visible(m.Label4));
    // Every change of the close button closes, the release too.
    m.Options->setVisible(true);
    m.sidePanels->CWButton26_ValueChanged(false);
    EXPECT_FALSE(Visible(m.Options));
}

// A point of `surface` where no other widget lies: its own background.
QPoint backgroundOf(QWidget* surface)
{
    for (int y = 2; y < surface->height(); y += 4)
        for (int x = 2; x < surface->width(); x += 4)
            if (!surface->childAt(x, y))
                return {x, y};
    ADD_FAILURE() << surface->objectName().toStdString() << " has no free background";
    return {};
}

// A shown plain label (a caption or read-out, not a picture) on `surface`.
QLabel* captionOn(QWidget* surface)
{
    for (QLabel* label : surface->findChildren<QLabel*>())
        if (!qobject_cast<PictureBox*>(label) && label->isVisibleTo(surface) &&
            label->width() > 4 && label->height() > 4)
            return label;
    ADD_FAILURE() << surface->objectName().toStdString() << " has no caption";
    return nullptr;
}

// The main window shown, moved over by the mouse with no button held, as a user moves it: the
// window system's move goes to the widget under the mouse.
class MousePointerTest : public SidePanelsTest
{
  protected:
    void SetUp() override
    {
        SidePanelsTest::SetUp();
        Main& m = main();
        m.Options->setVisible(false);
        m.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m));
        m.CWSlide7->setPosition(1); // zoom: the plot's own pointer
    }
    void TearDown() override
    {
        main().hide();
        SidePanelsTest::TearDown();
    }
    void moveOver(QWidget* widget, QPoint at)
    {
        QWindow* window = main().windowHandle();
        QTest::mouseMove(window, window->mapFromGlobal(widget->mapToGlobal(at)));
    }
    Qt::CursorShape pointer() { return main().cursor().shape(); }
};

TEST_F(MousePointerTest, APlainMoveOverEverySurfaceOffThePlotRestoresTheArrow)
{
    Main& m = main();
    struct Case
    {
        QWidget* under; // what the mouse is over
        QPoint at;
        PictureBox* page; // the side-panel page shown for the case
    };
    std::vector<Case> cases;
    QWidget* face = m.centralWidget();
    cases.push_back({face, backgroundOf(face), m.picCursor});
    for (PictureBox* page : pages()) {
        show(page);
        cases.push_back({page, backgroundOf(page), page});
        if (QLabel* caption = captionOn(page))
            cases.push_back({caption, caption->rect().center(), page});
    }
    cases.push_back({m.Picture4, backgroundOf(m.Picture4), m.picCursor});
    if (QLabel* caption = captionOn(m.Picture4))
        cases.push_back({caption, caption->rect().center(), m.picCursor});
    for (QWidget* control : std::initializer_list<QWidget*>{m.CWSlide3, m.CWSlide4, m.CWSlide6,
                                                            m.CWButton29, m.CWButton30})
        cases.push_back({control, control->rect().center(), m.picCursor});

    QWidget* plot = m.CWGraph1->plotArea();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.under->objectName().isEmpty() ? c.under->metaObject()->className()
                                                     : c.under->objectName().toStdString());
        show(c.page);
        moveOver(plot, plot->rect().center());
        ASSERT_EQ(pointer(), Qt::BitmapCursor) << "the plot's zoom pointer";
        const QPoint global = c.under->mapToGlobal(c.at);
        ASSERT_EQ(QApplication::widgetAt(global), c.under) << "the mouse is over another widget";
        moveOver(c.under, c.at);
        EXPECT_EQ(pointer(), Qt::ArrowCursor);
    }
}

} // namespace
} // namespace kv::test
