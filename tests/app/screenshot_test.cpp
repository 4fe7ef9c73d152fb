// Pictures of the main window. With KV_SCREENSHOT naming a file (scripts/screenshot), the window
// is laid out for the real screen (its text height and work area), shown with the widest
// read-outs, checked (no text cut, no control over another, the window within the work area)
// and written there; KV_SCREENSHOT_PAGE (cursor, measure, trigger, file) shows that side page
// in place of the Options panel, KV_SCREENSHOT_PLAIN the plot area. The lamp picture is taken
// and checked on every run; KV_SCREENSHOT_DIR names a folder to write it to.
#include "app/face_checks.h"
#include "controls/cw_color.h"
#include "controls/picture_box.h"
#include "platform/linux_system_info.h"
#include "state/colours.h"
#include "support/main_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMenuBar>
#include <QPixmap>
#include <QTest>

namespace kv::test {
namespace {

class Screenshot : public MainFixture
{
  protected:
    // Pictures for scripts/screenshot are laid out for the real screen (text height, work area).
    void SetUp() override
    {
        if (qEnvironmentVariableIsSet("KV_SCREENSHOT") ||
            qEnvironmentVariableIsSet("KV_SCREENSHOT_DIR")) {
            const LinuxSystemInfo screen;
            systemInfo().textHeight = screen.desktopTextHeight();
            systemInfo().area = screen.workArea();
        }
    }

    // Shows the window and returns its picture once it has been drawn.
    static QImage shownPicture(QWidget& m)
    {
        m.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&m));
        for (int i = 0; i < 10; ++i)
            QApplication::processEvents();
        return m.grab().toImage();
    }

    static void save(const QImage& picture, const QString& target)
    {
        QDir().mkpath(QFileInfo(target).absolutePath());
        EXPECT_TRUE(picture.save(target)) << target.toStdString();
    }

    // The colour at the middle of a control, in the window's picture.
    static QColor colourAtCentre(const QWidget& m, const QImage& picture, const QWidget* control)
    {
        const double ratio = picture.devicePixelRatio();
        const QPoint centre = control->mapTo(&m, control->rect().center());
        return picture.pixelColor(int(centre.x() * ratio), int(centre.y() * ratio));
    }

    // The brightest grey level among a control's pixels.
    static int brightest(const QWidget& m, const QImage& picture, const QWidget* control)
    {
        const double ratio = picture.devicePixelRatio();
        const QRect area(control->mapTo(&m, QPoint()) * ratio, control->size() * ratio);
        int level = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                level = std::max(level, qGray(picture.pixel(x, y)));
        return level;
    }
};

void showPage(Main& m, const QString& page)
{
    const std::pair<const char*, PictureBox*> pages[] = {{"cursor", m.picCursor},
                                                         {"measure", m.picMeasure},
                                                         {"trigger", m.picTrigger},
                                                         {"file", m.picFile}};
    for (const auto& [name, box] : pages)
        box->setVisible(page == QLatin1String(name));
    m.Options->setVisible(false);
}

TEST_F(Screenshot, MainWindow)
{
    const QString target = qEnvironmentVariable("KV_SCREENSHOT");
    if (target.isEmpty())
        GTEST_SKIP() << "set KV_SCREENSHOT to write the picture";
    const LinuxSystemInfo screen;
    // No instrument answers, so start-up asks no first-run calibration question.
    instrument().faults().silence = true;
    Main& m = load();
    const QString page = qEnvironmentVariable("KV_SCREENSHOT_PAGE");
    if (!page.isEmpty())
        showPage(m, page);
    if (qEnvironmentVariableIsSet("KV_SCREENSHOT_PLAIN"))
        m.Options->setVisible(false);
    FillWidestReadouts(m);
    const QImage picture = shownPicture(m);
    save(picture, target);
    std::cout << "text height " << screen.desktopTextHeight() << ", face scale " << m.faceScale()
              << ", window " << m.frameGeometry().width() << "x" << m.frameGeometry().height()
              << " in " << screen.workArea().width() << "x" << screen.workArea().height() << "\n";
    EXPECT_TRUE(screen.workArea().contains(m.frameGeometry()));
    EXPECT_EQ(TextsThatDoNotFit(m).join('\n').toStdString(), "");
    EXPECT_EQ(ControlsOverOthers(m).join('\n').toStdString(), "");
}

// Channel 1 selected, channel 2 on, both attenuators on, the instrument connected: every lamp
// shows at its middle exactly the colour it is given.
TEST_F(Screenshot, LampsShowTheirColours)
{
    dialogs().answer(MsgResult::No); // the first run's calibration question
    Main& m = load();
    m.global.NoATTHardware = false;
    for (CwButton* attenuator : {m.CH1ATT, m.CH2ATT})
        attenuator->setValue(!attenuator->value());
    for (CwButton* channel : {m.CH2Button, m.CH1Button}) {
        channel->setValue(true);
        channel->setValue(false);
    }
    const QImage picture = shownPicture(m);
    const QString folder = qEnvironmentVariable("KV_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        save(picture, QDir(folder).filePath(QStringLiteral("lamps.png")));

    const std::pair<CwButton*, int> lamps[] = {
        {m.LED1, colour::Green},         {m.LED2, colour::Yellow},    {m.LEDATT1, colour::Green},
        {m.LEDATT2, colour::Green},      {m.LEDATT1b, colour::Green}, {m.LEDATT2b, colour::Green},
        {m.CWButton7, colour::LampGreen}};
    for (const auto& [lamp, bgr] : lamps) {
        ASSERT_TRUE(lamp->isVisibleTo(&m)) << lamp->objectName().toStdString();
        EXPECT_EQ(colourAtCentre(m, picture, lamp), colorFromBgr(bgr))
            << lamp->objectName().toStdString() << " shows "
            << colourAtCentre(m, picture, lamp).name().toStdString();
    }
    // The splash window's lamp, green since the instrument answered while it was shown.
    SplashWindow& splash = m.frmSplash();
    ASSERT_TRUE(splash.isVisible());
    const QImage splashPicture = shownPicture(splash);
    if (!folder.isEmpty())
        save(splashPicture, QDir(folder).filePath(QStringLiteral("splash.png")));
    EXPECT_EQ(colourAtCentre(splash, splashPicture, splash.CWButton7),
              colorFromBgr(colour::LampGreen));
}

// With the external source the edge switch and the "Falling" caption are drawn dimmer than
// they are with a channel source.
TEST_F(Screenshot, ExternalSourceDimsTheEdgeControls)
{
    instrument().faults().silence = true;
    Main& m = load();
    showPage(m, QStringLiteral("trigger"));
    const QImage active = shownPicture(m);
    m.CWSlide5->setPosition(3);
    ASSERT_FALSE(m.CWButton12->isEnabled());
    ASSERT_FALSE(m.Label20->isEnabled());
    const QImage inactive = shownPicture(m);
    const QString folder = qEnvironmentVariable("KV_SCREENSHOT_DIR");
    if (!folder.isEmpty())
        save(inactive, QDir(folder).filePath(QStringLiteral("external-trigger.png")));
    for (const QWidget* control :
         {static_cast<QWidget*>(m.CWButton12), static_cast<QWidget*>(m.Label20)}) {
        const int before = brightest(m, active, control);
        const int after = brightest(m, inactive, control);
        EXPECT_LT(after, before * 2 / 3) << control->objectName().toStdString();
    }
    EXPECT_EQ(brightest(m, inactive, m.Label19), brightest(m, active, m.Label19));
}

} // namespace
} // namespace kv::test
