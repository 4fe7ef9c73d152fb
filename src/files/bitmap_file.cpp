#include "files/bitmap_file.h"

#include <QBuffer>

namespace kv {

QByteArray BitmapFileBytes(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // Qt writes a true-colour image as a 24-bit bitmap.
    image.convertToFormat(QImage::Format_RGB32).save(&buffer, "BMP");
    return bytes;
}

} // namespace kv
