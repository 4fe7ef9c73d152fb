#include "app/picture_box.h"
#include "front_panel_fixture.h"
#include "panel/side_panels.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <gtest/gtest.h>

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

TEST_F(SidePanelsTest, MouseOverTheBackgroundPagesAndStripRestoresTheArrow)
{
    Main& m = main();
    for (PictureBox* surface :
         {m.Image1, m.picCursor, m.picFile, m.picMeasure, m.picTrigger, m.Picture4}) {
        m.setCursor(Qt::CrossCursor);
        Q_EMIT surface->mouseMoved();
        EXPECT_EQ(m.cursor().shape(), Qt::ArrowCursor) << surface->objectName().toStdString();
    }
    m.setCursor(Qt::CrossCursor);
    QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(m.centralWidget(), &move);
    EXPECT_EQ(m.cursor().shape(), Qt::ArrowCursor);
}

} // namespace
} // namespace kv::test
