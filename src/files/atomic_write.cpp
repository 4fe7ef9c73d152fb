#include "files/atomic_write.h"

#include "platform/rules/modal_guard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

namespace kv {

namespace {

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// While alive, a write to a pipe whose reader has gone fails with EPIPE instead of ending the
// program with SIGPIPE; a signal raised meanwhile is taken before the mask is restored.
class SigpipeHeld
{
  public:
    SigpipeHeld()
    {
        sigemptyset(&pipe_);
        sigaddset(&pipe_, SIGPIPE);
        sigset_t pending;
        sigpending(&pending);
        wasPending_ = sigismember(&pending, SIGPIPE) == 1;
        pthread_sigmask(SIG_BLOCK, &pipe_, &old_);
    }
    ~SigpipeHeld()
    {
        if (!wasPending_) {
            const timespec now{0, 0};
            while (sigtimedwait(&pipe_, nullptr, &now) == SIGPIPE) {
            }
        }
        pthread_sigmask(SIG_SETMASK, &old_, nullptr);
    }
    SigpipeHeld(const SigpipeHeld&) = delete;
    SigpipeHeld& operator=(const SigpipeHeld&) = delete;

  private:
    sigset_t pipe_{};
    sigset_t old_{};
    bool wasPending_ = false;
};

// Writes all of `size` bytes to `fd` (at `offset`, or where the file stands when it is -1);
// 0 or the system's error.
int writeAll(int fd, const char* data, std::size_t size, off_t offset = -1)
{
    while (size > 0) {
        const ssize_t written =
            offset < 0 ? ::write(fd, data, size) : ::pwrite(fd, data, size, offset);
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return written < 0 ? errno : ENOSPC;
        data += written;
        size -= std::size_t(written);
        if (offset >= 0)
            offset += written;
    }
    return 0;
}

// Writes all of `size` bytes to the pipe or device `fd`, opened without blocking, as fast as
// its reader takes them. While it waits the window keeps painting and timer handlers wait, as
// under a modal box; user input waits too, so nothing else starts meanwhile. A reader that takes
// nothing for StreamStallLimitMs ends the write.
WriteFailure writeStream(int fd, const char* data, std::size_t size)
{
    constexpr int WaitStepMs = 20; // the longest the window goes without an event-loop pass
    std::optional<ModalGuard> world;
    QElapsedTimer stalled;
    stalled.start();
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written > 0) {
            data += written;
            size -= std::size_t(written);
            stalled.restart();
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            return systemReason(written == 0 ? ENOSPC : errno);
        if (stalled.elapsed() >= StreamStallLimitMs)
            return QStringLiteral("Nothing read the data for %1 seconds.")
                .arg(StreamStallLimitMs / 1000);
        if (!world)
            world.emplace();
        pollfd ready{fd, POLLOUT, 0};
        ::poll(&ready, 1, WaitStepMs);
        if (QCoreApplication::instance())
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, WaitStepMs);
    }
    return std::nullopt;
}

} // namespace

std::optional<QString> FollowLinks(const QString& path)
{
    constexpr int MostLinks = 40; // as the system's own limit
    QString current = path;
    for (int i = 0; i < MostLinks; ++i) {
        const QFileInfo info(current);
        if (!info.isSymLink())
            return current;
        current = info.symLinkTarget();
    }
    return std::nullopt;
}

AtomicFile::AtomicFile(const QString& path) : path_(path), file_(path) {}

AtomicFile::~AtomicFile()
{
    closeTarget();
}

void AtomicFile::closeTarget()
{
    if (fd_ >= 0)
        ::close(fd_);
    fd_ = -1;
}

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
    const auto target = FollowLinks(path_);
    if (!target)
        return systemReason(ELOOP);
    const QByteArray name = QFile::encodeName(*target);
    struct stat st
    {
    };
    const bool exists = ::stat(name.constData(), &st) == 0;
    if (exists && S_ISDIR(st.st_mode))
        return QStringLiteral("A folder of that name exists.");
    if (exists && S_ISREG(st.st_mode) && st.st_nlink > 1) {
        mode_ = Mode::Shared;
        fd_ = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
        return fd_ < 0 ? WriteFailure(systemReason(errno)) : std::nullopt;
    }
    if (exists && (S_ISFIFO(st.st_mode) || S_ISCHR(st.st_mode))) {
        mode_ = Mode::Stream;
        // Not waiting for a reader: a pipe that nobody reads would hold the program forever.
        fd_ = ::open(name.constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
        if (fd_ < 0) {
            if (errno == ENXIO && S_ISFIFO(st.st_mode))
                return QStringLiteral("No program is reading from this pipe.");
            return systemReason(errno);
        }
        // Left without blocking: writeStream waits for the reader, the window kept alive.
        return std::nullopt;
    }
    if (exists && !S_ISREG(st.st_mode))
        return QStringLiteral("This is a device or socket, not a file that can be written.");
    mode_ = Mode::Replace;
    file_.setFileName(*target);
    // Unbuffered: a short write shows in write(). Buffered, its failure surfaces only while
    // commit() flushes, and commit() does not look at it.
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return file_.errorString();
    return std::nullopt;
}

WriteFailure AtomicFile::write(const char* data, std::size_t size)
{
    switch (mode_) {
    case Mode::Shared:
        held_.append(data, size);
        return std::nullopt;
    case Mode::Stream: {
        const SigpipeHeld held;
        if (WriteFailure failure = writeStream(fd_, data, size)) {
            closeTarget();
            return failure;
        }
        return std::nullopt;
    }
    case Mode::Replace:
        break;
    }
    while (size > 0) {
        const qint64 written = file_.write(data, qint64(size));
        if (written <= 0)
            return fail();
        data += written;
        size -= std::size_t(written);
    }
    return std::nullopt;
}

WriteFailure AtomicFile::commitShared()
{
    const off_t size = off_t(held_.size());
    // The space first: when it is not there, not one old byte has been overwritten.
    if (size > 0) {
        const int error = ::posix_fallocate(fd_, 0, size);
        if (error != 0 && error != EINVAL && error != EOPNOTSUPP)
            return systemReason(error);
    }
    if (const int error = writeAll(fd_, held_.data(), held_.size(), 0))
        return systemReason(error);
    if (::ftruncate(fd_, size) != 0 || ::fsync(fd_) != 0)
        return systemReason(errno);
    return std::nullopt;
}

WriteFailure AtomicFile::commit()
{
    if (mode_ == Mode::Shared) {
        const WriteFailure failure = commitShared();
        closeTarget();
        return failure;
    }
    if (mode_ == Mode::Stream) {
        if (fd_ < 0)
            return systemReason(EBADF);
        const int closed = ::close(fd_);
        fd_ = -1;
        return closed != 0 ? WriteFailure(systemReason(errno)) : std::nullopt;
    }
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
