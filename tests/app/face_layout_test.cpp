// The face at large fonts and on small work areas: it grows with the desktop's text height,
// shrinks to fit the work area, and stays whole: every text fits its box, no control lies over
// another, every side page and the Options panel included.
#include "app/face_checks.h"
#include "app/rules/face_scale.h"
#include "controls/picture_box.h"
#include "support/main_fixture.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QMenuBar>
#include <ostream>

namespace kv::test {
namespace {

TEST(FaceScale, FollowsTheTextHeightWithinTheWorkArea)
{
    const QSize face(1000, 590);
    const QSize chrome(8, 56);
    EXPECT_DOUBLE_EQ(FaceScale(16, face, chrome, {}), 1.0);
    EXPECT_DOUBLE_EQ(FaceScale(20, face, chrome, {0, 0, 1920, 1200}), 1.25);
    EXPECT_DOUBLE_EQ(FaceScale(24, face, chrome, {0, 0, 1920, 1200}), 1.5);
    // 1920x1200 at a scale factor of 2: 960x600 for the window; the height limits.
    EXPECT_DOUBLE_EQ(FaceScale(16, face, chrome, {0, 0, 960, 600}), (600.0 - 56) / 590);
    // Far too small a screen: no smaller than half.
    EXPECT_DOUBLE_EQ(FaceScale(16, face, chrome, {0, 0, 400, 300}), 0.5);
}

TEST(FaceScale, ScaledNeighboursStillTouch)
{
    const QRect left(8, 8, 36, 420), right(44, 8, 560, 420);
    for (double scale : {0.92, 1.25, 1.5, 1.37}) {
        const QRect a = ScaledRect(left, scale), b = ScaledRect(right, scale);
        EXPECT_EQ(a.right() + 1, b.left()) << scale;
        EXPECT_FALSE(a.intersects(b)) << scale;
    }
    EXPECT_EQ(ScaledRect({10, 20, 30, 40}, 1.5), QRect(15, 30, 45, 60));
}

TEST(FaceScale, StyleSheetFontsFollowTheScale)
{
    EXPECT_TRUE(FaceStyleSheet(1.0).contains(QStringLiteral("font-size: 11px")));
    EXPECT_TRUE(FaceStyleSheet(1.5).contains(QStringLiteral("font-size: 17px")));
    EXPECT_FALSE(FaceStyleSheet(1.5).contains(QStringLiteral("pt;")));
}

// The text check looks at the glyphs as drawn, not at the font's line spacing: every family that
// may stand in for the face's fonts spaces 12-pixel lines more than 12 pixels apart, yet draws
// "Max" centred in a 12-pixel box whole.
TEST(FaceChecks, ATextFitsWhereItsGlyphsAreDrawn)
{
    struct Case
    {
        const char* what;
        QSize box;
        Qt::Alignment align;
        const char* fault; // empty: none
    };
    const Case cases[] = {
        {"room to spare", {60, 24}, Qt::AlignLeft | Qt::AlignVCenter, ""},
        {"glyphs fit, line spacing does not", {60, 12}, Qt::AlignLeft | Qt::AlignVCenter, ""},
        {"too low for the glyphs", {60, 7}, Qt::AlignLeft | Qt::AlignVCenter, "past its box"},
        {"too narrow", {12, 24}, Qt::AlignLeft | Qt::AlignVCenter, "wide, has 12.0"},
    };
    for (const Case& c : cases) {
        QLabel label(QStringLiteral("Max"));
        QFont font(QStringLiteral("Arial"));
        font.setPixelSize(12);
        label.setFont(font);
        EXPECT_GT(QFontMetricsF(font).height(), 12.0) << "the line spacing of 12-pixel text";
        label.setAlignment(c.align);
        label.resize(c.box);
        QStringList faults;
        CheckLabel(faults, &label);
        if (*c.fault == 0)
            EXPECT_EQ(faults.join('\n').toStdString(), "") << c.what;
        else
            EXPECT_TRUE(faults.join('\n').contains(QLatin1String(c.fault)))
                << c.what << ": " << faults.join('\n').toStdString();
    }
}

struct Desktop
{
    const char* name;
    int textHeight;
    QRect workArea;
    double scale; // 0: whatever fits
};

void PrintTo(const Desktop& d, std::ostream* os)
{
    *os << d.name;
}

class FaceLayout : public MainFixture, public ::testing::WithParamInterface<Desktop>
{
  protected:
    void SetUp() override
    {
        systemInfo().textHeight = GetParam().textHeight;
        systemInfo().area = GetParam().workArea;
        instrument().faults().silence = true;
    }

    // Shows the window as it stands and checks the face.
    void expectWhole(Main& m, const char* view)
    {
        m.show();
        QApplication::processEvents();
        EXPECT_EQ(TextsThatDoNotFit(m).join('\n').toStdString(), "") << view;
        EXPECT_EQ(ControlsOverOthers(m).join('\n').toStdString(), "") << view;
    }
};

TEST_P(FaceLayout, StaysWholeAndFits)
{
    Main& m = load();
    if (GetParam().scale > 0) {
        EXPECT_DOUBLE_EQ(m.faceScale(), GetParam().scale);
    }
    FillWidestReadouts(m);
    // The first run shows the Options panel, then each side page in turn.
    expectWhole(m, "Options panel");
    m.Options->setVisible(false);
    for (PictureBox* page : {m.picCursor, m.picMeasure, m.picTrigger, m.picFile}) {
        for (PictureBox* other : {m.picCursor, m.picMeasure, m.picTrigger, m.picFile})
            other->setVisible(other == page);
        expectWhole(m, page->objectName().toLatin1().constData());
    }
    // The window (face and menu bar) within the work area, with room for a title bar.
    const QSize window(m.centralWidget()->width(),
                       m.centralWidget()->height() + m.menuBar()->height());
    EXPECT_LE(window.width(), GetParam().workArea.width());
    EXPECT_LE(window.height() + 2 * GetParam().textHeight, GetParam().workArea.height());
}

// 1920x1200 at 96, 120 and 144 DPI, and at the scale factors 1.25, 1.5 and 2, under which the
// window sees a screen of 1920x1200 divided by the factor.
INSTANTIATE_TEST_SUITE_P(Desktops, FaceLayout,
                         ::testing::Values(Desktop{"dpi96", 16, {0, 0, 1920, 1200}, 1.0},
                                           Desktop{"dpi120", 20, {0, 0, 1920, 1200}, 1.25},
                                           Desktop{"dpi144", 24, {0, 0, 1920, 1200}, 1.5},
                                           Desktop{"factor1_25", 16, {0, 0, 1536, 960}, 1.0},
                                           Desktop{"factor1_5", 16, {0, 0, 1280, 800}, 1.0},
                                           Desktop{"factor2", 16, {0, 0, 960, 600}, 0}),
                         [](const ::testing::TestParamInfo<Desktop>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
} // namespace kv::test
