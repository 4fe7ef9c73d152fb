#include "controls/picture_box.h"
#include "file_test_support.h"
#include "files/window_picture.h"
#include "support/main_fixture.h"

#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QtEndian>
#include <gtest/gtest.h>

namespace kv {
namespace {

using test::MainFixture;
using Kind = test::ScriptedDialogs::Kind;

TEST(BitmapFile, TrueColourImageIsA24BitBitmap)
{
    QImage image(7, 3, QImage::Format_ARGB32);
    image.fill(QColor(10, 20, 30));
    image.setPixelColor(6, 2, QColor(200, 100, 50));
    const QByteArray bytes = BitmapFileBytes(image);
    ASSERT_GT(bytes.size(), 54);
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24); // bits per pixel
    QImage back;
    ASSERT_TRUE(back.loadFromData(bytes, "BMP"));
    EXPECT_EQ(back.size(), image.size());
    EXPECT_EQ(back.pixelColor(6, 2), QColor(200, 100, 50));
    EXPECT_EQ(back.pixelColor(0, 0), QColor(10, 20, 30));
}

class WindowPictureTest : public MainFixture
{
  protected:
    void SetUp() override
    {
        // A first start offers the probe calibration.
        dialogs().answer(MsgResult::No);
        load();
        dialogs().clear();
        ASSERT_NE(main().windowPicture, nullptr);
    }
    Main& w() { return main(); }
    QSize clientSize() { return w().centralWidget()->size(); }
    // The Export Picture button with `name` chosen, then `boxes` answered.
    void saveAs(const QString& name, std::initializer_list<MsgResult> boxes = {})
    {
        dialogs().answerSave(name);
        for (MsgResult box : boxes)
            dialogs().answer(box);
        w().CWButton15->setValue(true);
    }
};

TEST_F(WindowPictureTest, SavesTheClientAreaAsABitmapThatImageReadersOpen)
{
    const QString file = path("window.bmp");
    saveAs(file);
    ASSERT_EQ(dialogs().requests().size(), 1u); // no message after the save
    const auto& asked = dialogs().at(0);
    EXPECT_EQ(asked.kind, Kind::Save);
    EXPECT_EQ(asked.title, "Save Picture As");
    EXPECT_EQ(asked.file.filter, "Bitmap Image (*.bmp)|*.bmp");
    EXPECT_EQ(asked.file.flags, 4);
    EXPECT_FALSE(w().CWButton15->value());

    QImageReader reader(file);
    EXPECT_EQ(reader.format(), "bmp");
    const QImage image = reader.read();
    ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(image.size(), clientSize());
    EXPECT_EQ(image, w().Picture3->picture().convertToFormat(image.format()));
    const QByteArray bytes = test::fileBytes(file);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 28), 24);

    const auto identified = test::runProgram(
        QStringLiteral("identify"), {QStringLiteral("-format"), QStringLiteral("%m %w %h"), file});
    // BMP3: the Windows 3 bitmap format.
    ASSERT_EQ(identified.exitCode, 0) << identified.err.toStdString();
    EXPECT_EQ(identified.out.trimmed(),
              QStringLiteral("BMP3 %1 %2").arg(clientSize().width()).arg(clientSize().height()));
}

TEST_F(WindowPictureTest, PictureIsTakenBeforeTheDialogAndRunIsSwitchedOff)
{
    ASSERT_TRUE(w().Picture3->picture().isNull());
    w().CWButton1->setValue(true);
    ASSERT_TRUE(w().Timer1->enabled());
    dialogs().answerSave(std::nullopt);
    w().CWButton15->setValue(true);
    // Cancelled: nothing saved, but the capture was taken first and Run is off.
    EXPECT_EQ(w().Picture3->picture().size(), clientSize());
    EXPECT_FALSE(w().CWButton1->value());
    EXPECT_FALSE(w().Timer1->enabled());
    EXPECT_FALSE(w().CWButton15->value());
    EXPECT_TRUE(test::entriesOf(folder()).filter(QStringLiteral(".bmp")).isEmpty());
}

TEST_F(WindowPictureTest, MenuItemSavesTooAndCancelChangesNothing)
{
    dialogs().answerSave(path("menu.bmp"));
    w().mnuFBMP->trigger();
    EXPECT_FALSE(QImage(path("menu.bmp")).isNull());
    EXPECT_EQ(dialogs().last().file.filter, "Bitmap Image (*.bmp)|*.bmp");
    dialogs().answerSave(std::nullopt);
    w().mnuFBMP->trigger();
    EXPECT_EQ(dialogs().requests().size(), 2u);
    EXPECT_FALSE(w().CWButton15->value());
}

TEST_F(WindowPictureTest, OverwriteQuestionNoKeepsTheOldFileYesReplacesIt)
{
    const QString file = path("old.bmp");
    ASSERT_TRUE(test::writeBytes(file, "old contents"));
    saveAs(file, {MsgResult::No});
    ASSERT_EQ(dialogs().requests().size(), 2u);
    EXPECT_EQ(dialogs().last().text, "Do you want to overright it?");
    EXPECT_EQ(dialogs().last().title, "File already exist!");
    EXPECT_EQ(dialogs().last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs().last().icon, MsgIcon::Question);
    EXPECT_EQ(test::fileBytes(file), "old contents");

    saveAs(file, {MsgResult::Yes});
    EXPECT_EQ(dialogs().requests().size(), 4u);
    EXPECT_EQ(QImage(file).size(), clientSize());
}

TEST_F(WindowPictureTest, FolderThatCannotBeWrittenIsReported)
{
    QTemporaryDir scratch;
    const auto readOnly = test::readOnlyFolder(scratch);
    if (!readOnly)
        GTEST_SKIP() << "no read-only folder here";
    for (const QString& dir : {*readOnly, path("no-such-folder")}) {
        const QString file = QDir(dir).filePath(QStringLiteral("window.bmp"));
        SCOPED_TRACE(file.toStdString());
        dialogs().clear();
        saveAs(file, {MsgResult::OK});
        ASSERT_EQ(dialogs().requests().size(), 2u);
        EXPECT_EQ(dialogs().last().icon, MsgIcon::Critical);
        EXPECT_TRUE(dialogs().last().text.contains(file));
        EXPECT_FALSE(QFileInfo::exists(file));
    }
}

} // namespace
} // namespace kv
