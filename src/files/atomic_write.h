#pragma once

// Writing a file so that a failure at any point (full disk, size limit, crash) leaves the
// previous file under that name as it was: the bytes go to a temporary file beside the target,
// unbuffered so that a short write shows at once, reach the disk, and only then is the file
// renamed over the target.

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <cstddef>
#include <optional>
#include <string_view>

namespace kv {

// Why a file could not be written, or nullopt when it was.
using WriteFailure = std::optional<QString>;

// A file written in pieces and put in place by commit(); dropped unless committed.
class AtomicFile
{
  public:
    explicit AtomicFile(const QString& path);

    WriteFailure open();
    // Writes all of `size` bytes; a short write is retried so that the system reports its reason.
    WriteFailure write(const char* data, std::size_t size);
    // Flushes the bytes to the disk and renames the file over the target.
    WriteFailure commit();

  private:
    // The reason for the failure just seen; the file is no longer put in place.
    QString fail();

    QString path_;
    QSaveFile file_;
};

// Writes `bytes` to `path` through an AtomicFile.
WriteFailure WriteFileAtomically(const QString& path, std::string_view bytes);
inline WriteFailure WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    return WriteFileAtomically(path,
                               std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

} // namespace kv
