#pragma once

// Writing a file so that a failure at any point (full disk, size limit, crash) leaves the
// previous file under that name as it was: the bytes go to a temporary file beside the target,
// unbuffered so that a short write shows at once, reach the disk, and only then is the file
// renamed over the target.
//
// A rename replaces the name, not the file, so it is kept for the names it suits:
// - a symbolic link is followed (every level), and its final target is the file written, so the
//   link stays a link;
// - a regular file with more than one name (a hard link) is written in place, so every name
//   shows the new content: the bytes are held until commit, the space for them is reserved
//   before the first old byte is overwritten (a full disk leaves the old content), then they
//   are written over the old ones, the file cut to their length and synced;
// - a pipe (FIFO) or a character device is opened and written in place, without waiting for a
//   reader: a pipe that no program reads is refused, and one whose reader takes nothing for
//   StreamStallLimitMs fails the write; the window keeps painting while the reader is awaited;
// - a folder, a block device or a socket is refused.

#include "files/layer.h"

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// How long a pipe or device may take no bytes before its write is given up.
inline constexpr int StreamStallLimitMs = 5000;

// Why a file could not be written, or nullopt when it was.
using WriteFailure = std::optional<QString>;

// The file that `path` names once every symbolic link on the way is followed (a link to a
// missing file names that file); nullopt on a loop of links.
std::optional<QString> FollowLinks(const QString& path);

// A file written in pieces and put in place by commit(); dropped unless committed.
class AtomicFile
{
  public:
    explicit AtomicFile(const QString& path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    WriteFailure open();
    // Writes all of `size` bytes; a short write is retried so that the system reports its reason.
    WriteFailure write(const char* data, std::size_t size);
    // Flushes the bytes to the disk and renames the file over the target (or, for a target
    // written in place, puts the bytes into it).
    WriteFailure commit();

  private:
    enum class Mode
    {
        Replace, // a temporary file renamed over the target
        Shared,  // a regular file of several names, overwritten in place at commit
        Stream,  // a pipe or character device, written as the bytes come
    };

    // The reason for the failure just seen; the file is no longer put in place.
    QString fail();
    WriteFailure commitShared();
    void closeTarget();

    QString path_;
    QSaveFile file_;
    Mode mode_ = Mode::Replace;
    int fd_ = -1;      // the target opened in place (Shared, Stream)
    std::string held_; // the bytes of a Shared target, written at commit
};

// Writes `bytes` to `path` through an AtomicFile.
WriteFailure WriteFileAtomically(const QString& path, std::string_view bytes);
inline WriteFailure WriteFileAtomically(const QString& path, const QByteArray& bytes)
{
    return WriteFileAtomically(path,
                               std::string_view(bytes.constData(), std::size_t(bytes.size())));
}

} // namespace kv
