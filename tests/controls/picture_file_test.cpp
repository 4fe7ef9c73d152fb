// Reading a face picture: only a regular file of a sensible stated size is decoded; a pipe, a
// folder or a header that claims a huge picture reads as no picture, at once.

#include "controls/cw_graph.h"
#include "controls/picture_box.h"
#include "controls/picture_file.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv::test {
namespace {

QByteArray pictureBytes(const char* format, int width = 8, int height = 6)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::green);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, format));
    return bytes;
}

void putBigEndian16(QByteArray& bytes, int at, int value)
{
    bytes[at] = char(value >> 8);
    bytes[at + 1] = char(value & 0xFF);
}

void putLittleEndian32(QByteArray& bytes, int at, int value)
{
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = char((value >> (8 * i)) & 0xFF);
}

// A small JPEG whose frame header claims `side` x `side` pixels.
QByteArray jpegClaiming(int side)
{
    QByteArray bytes = pictureBytes("JPG");
    const int frame = int(bytes.indexOf(QByteArray("\xFF\xC0", 2)));
    EXPECT_GT(frame, 0);
    putBigEndian16(bytes, frame + 5, side); // height
    putBigEndian16(bytes, frame + 7, side); // width
    return bytes;
}

// A small BMP whose header claims `side` x `side` pixels.
QByteArray bmpClaiming(int side)
{
    QByteArray bytes = pictureBytes("BMP");
    putLittleEndian32(bytes, 18, side);
    putLittleEndian32(bytes, 22, side);
    return bytes;
}

class PictureFile : public ::testing::Test
{
  protected:
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }
    QString write(const QString& name, const QByteArray& bytes) const
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path(name);
    }
    QString fifo(const QString& name) const
    {
        EXPECT_EQ(::mkfifo(QFile::encodeName(path(name)).constData(), 0600), 0);
        return path(name);
    }
    QTemporaryDir dir_;
};

TEST_F(PictureFile, WhatIsReadAndWhatIsRefused)
{
    QDir().mkdir(path("folder.jpg"));
    ASSERT_EQ(::symlink("small.jpg", QFile::encodeName(path("link.jpg")).constData()), 0);
    struct Case
    {
        const char* name;
        QString file;
        bool read;
    };
    const Case cases[] = {
        {"small JPEG", write("small.jpg", pictureBytes("JPG")), true},
        {"small BMP", write("small.bmp", pictureBytes("BMP")), true},
        {"link to a picture", path("link.jpg"), true},
        {"picture as large as the largest face", write("face.bmp", pictureBytes("BMP", 1250, 738)),
         true},
        {"JPEG claiming 23000 x 23000", write("huge.jpg", jpegClaiming(23000)), false},
        {"BMP claiming 23000 x 23000", write("huge.bmp", bmpClaiming(23000)), false},
        {"JPEG claiming 3000 x 3000", write("large.jpg", jpegClaiming(3000)), false},
        {"pipe with no writer", fifo("pipe.jpg"), false},
        {"folder", path("folder.jpg"), false},
        {"missing file", path("missing.jpg"), false},
        {"not a picture", write("text.jpg", "just some text"), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(!ReadPictureFile(c.file).isNull(), c.read);
    }
}

TEST_F(PictureFile, RefusedPictureLeavesTheShownOneInPlace)
{
    const QString pipe = fifo("AutoScale.bmp");
    const QString huge = write("Main.jpg", jpegClaiming(23000));
    QImage design(4, 4, QImage::Format_RGB32);
    design.fill(Qt::blue);

    PictureBox box;
    box.setPicture(design);
    EXPECT_FALSE(box.loadPicture(pipe));
    EXPECT_FALSE(box.loadPicture(huge));
    EXPECT_EQ(box.picture(), design);

    CwGraph graph;
    graph.setPlotAreaImage(design);
    EXPECT_FALSE(graph.loadPlotAreaImage(pipe));
    EXPECT_FALSE(graph.loadPlotAreaImage(huge));
    EXPECT_EQ(graph.plotAreaImage(), design);
}

} // namespace
} // namespace kv::test
