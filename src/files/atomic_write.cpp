#include "files/atomic_write.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace kv {

AtomicFile::AtomicFile(const QString& path) : path_(path), file_(path) {}

QString AtomicFile::fail()
{
    // A write that stops short sets no error on the device: errno holds the system's reason.
    const QString why = file_.error() != QFileDevice::NoError
                            ? file_.errorString()
                            : QString::fromLocal8Bit(std::strerror(errno));
    file_.cancelWriting();
    return why;
}

WriteFailure AtomicFile::open()
{
    if (QFileInfo(path_).isDir())
        return QStringLiteral("A folder of that name exists.");
    // Unbuffered: a short write shows in write(). Buffered, its failure surfaces only while
    // commit() flushes, and commit() does not look at it.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file_.errorString();
    return std::nullopt;
}

WriteFailure AtomicFile::write(const char* data, std::size_t size)
{
    while (size > 0) {
        const qint64 written = file_.write(data, qint64(size));
        if (written <= 0)
            return fail();
        data += written;
        size -= std::size_t(written);
    }
    return std::nullopt;
}

WriteFailure AtomicFile::commit()
{
    // On the disk before it replaces the old file, so a power cut cannot leave an empty file.
    if (::fsync(file_.handle()) != 0)
        return fail();
    if (!file_.commit())
        return file_.errorString();
    return std::nullopt;
}

WriteFailure WriteFileAtomically(const QString& path, std::string_view bytes)
{
    AtomicFile file(path);
    if (WriteFailure failure = file.open())
        return failure;
    if (WriteFailure failure = file.write(bytes.data(), bytes.size()))
        return failure;
    return file.commit();
}

} // namespace kv
