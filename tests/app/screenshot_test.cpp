// Writes a picture of the main window after start-up when KV_SCREENSHOT names the file
// (scripts/screenshot); skipped otherwise.
#include "support/main_fixture.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPixmap>

namespace kv::test {
namespace {

class Screenshot : public MainFixture
{
protected:
    // No instrument answers, so start-up asks no first-run calibration question.
    void SetUp() override { instrument().faults().silence = true; }
};

TEST_F(Screenshot, MainWindow)
{
    const QString target = qEnvironmentVariable("KV_SCREENSHOT");
    if (target.isEmpty())
        GTEST_SKIP() << "set KV_SCREENSHOT to write the picture";
    Main& m = load();
    if (qEnvironmentVariableIsSet("KV_SCREENSHOT_PLAIN"))
        m.Options->setVisible(false);
    m.show();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    QDir().mkpath(QFileInfo(target).absolutePath());
    EXPECT_TRUE(m.grab().save(target));
}

} // namespace
} // namespace kv::test
