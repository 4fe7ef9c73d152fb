#include "instrument-sim/pty_instrument_server.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace kv {

namespace {

constexpr std::int64_t IdlePollMicros = 20'000;
constexpr std::int64_t FloodPollMicros = 2'000;
constexpr std::size_t FloodQueueLimit = 64 * 1024;

void pause(std::int64_t micros)
{
    std::this_thread::sleep_for(std::chrono::microseconds(micros));
}

} // namespace

PtyInstrumentServer::PtyInstrumentServer(SimulatedInstrument& instrument, std::string folder,
                                         int port)
    : instrument_(instrument), folder_(std::move(folder)), port_(port)
{
}

PtyInstrumentServer::~PtyInstrumentServer()
{
    removeLink();
    closePty();
}

std::string PtyInstrumentServer::linkPath() const
{
    return (std::filesystem::path(folder_) / "dosdevices" / ("com" + std::to_string(port_)))
        .string();
}

bool PtyInstrumentServer::open(std::string& error)
{
    return openPty(error) && makeLink(error);
}

bool PtyInstrumentServer::openPty(std::string& error)
{
    int master = -1;
    int slave = -1;
    char name[256] = {};
    termios raw{};
    cfmakeraw(&raw);
    cfsetispeed(&raw, B9600);
    cfsetospeed(&raw, B9600);
    if (openpty(&master, &slave, name, &raw, nullptr) != 0) {
        error = std::string("cannot open a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    ::close(slave); // the far end opens it by its path
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    fcntl(master, F_SETFD, FD_CLOEXEC);
    master_ = master;
    slavePath_ = name;
    return true;
}

// The link is made under a temporary name and renamed over the entry, so that the entry never
// points to nothing while it is replaced.
bool PtyInstrumentServer::makeLink(std::string& error)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path link(linkPath());
    fs::create_directories(link.parent_path(), ec);
    const fs::path temporary = link.string() + ".new" + std::to_string(getpid());
    fs::remove(temporary, ec);
    fs::create_symlink(slavePath_, temporary, ec);
    if (!ec)
        fs::rename(temporary, link, ec);
    if (ec) {
        fs::remove(temporary, ec);
        error = "cannot link " + link.string() + " to " + slavePath_ + ": " + ec.message();
        return false;
    }
    return true;
}

// Removes the entry only while it still points to this server's pseudo-terminal.
void PtyInstrumentServer::removeLink()
{
    namespace fs = std::filesystem;
    std::error_code ec;
    const fs::path link(linkPath());
    if (fs::is_symlink(link, ec) && fs::read_symlink(link, ec) == fs::path(slavePath_))
        fs::remove(link, ec);
}

void PtyInstrumentServer::closePty()
{
    if (master_ >= 0)
        ::close(master_);
    master_ = -1;
    output_.clear();
}

void PtyInstrumentServer::readInput()
{
    char buffer[4096];
    while (true) {
        const ssize_t n = ::read(master_, buffer, sizeof buffer);
        if (n > 0) {
            receive(std::string_view(buffer, static_cast<std::size_t>(n)));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EIO) {
            // No far end has the slave open: what the instrument sends is lost; wait for one.
            output_.clear();
            pause(IdlePollMicros);
        }
        return;
    }
}

// With a frame log, byte by byte: every frame that completes is logged, even when one read
// holds more than one.
void PtyInstrumentServer::receive(std::string_view bytes)
{
    if (!frameLog_) {
        instrument_.receive(bytes);
        return;
    }
    for (const char byte : bytes) {
        const int frames = instrument_.frameCount();
        instrument_.receive(static_cast<std::uint8_t>(byte));
        if (instrument_.frameCount() != frames)
            frameLog_(*instrument_.lastFrame());
    }
}

void PtyInstrumentServer::writeOutput()
{
    while (!output_.empty()) {
        const ssize_t n = ::write(master_, output_.data(), output_.size());
        if (n > 0) {
            output_.erase(0, static_cast<std::size_t>(n));
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN)
            output_.clear(); // no far end
        return;
    }
}

// Bytes the far end has not read yet are lost when the line drops, so wait (up to a second)
// until it has taken what was sent. The pseudo-terminal hands bytes over to the slave side a
// little later than the master's write returns, so the slave's queue must stay empty a while.
void PtyInstrumentServer::waitForFarEndToRead()
{
    constexpr std::int64_t Step = 5'000;
    constexpr int EmptySteps = 10;
    const int probe = ::open(slavePath_.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (probe < 0) {
        pause(Step * EmptySteps);
        return;
    }
    const std::int64_t deadline = SteadySimClock().nowMicros() + 1'000'000;
    int emptyFor = 0;
    while (emptyFor < EmptySteps && SteadySimClock().nowMicros() < deadline) {
        int unread = 0;
        if (ioctl(probe, FIONREAD, &unread) != 0)
            break;
        emptyFor = unread > 0 ? 0 : emptyFor + 1;
        pause(Step);
    }
    ::close(probe);
}

void PtyInstrumentServer::hangUp()
{
    hangUpAfterOutput_ = false;
    waitForFarEndToRead();
    removeLink();
    closePty();
    reopenAt_ = SteadySimClock().nowMicros() + std::int64_t{hangUpPauseMs_} * 1000;
}

void PtyInstrumentServer::addFlood(std::int64_t nowMicros)
{
    if (floodRate_ <= 0)
        return;
    if (floodStart_ < 0)
        floodStart_ = nowMicros;
    const std::int64_t due = (nowMicros - floodStart_) * floodRate_ / 1'000'000 - floodSent_;
    floodSent_ += due;
    const std::size_t room = FloodQueueLimit - std::min(output_.size(), FloodQueueLimit);
    const std::size_t count =
        std::min(room, static_cast<std::size_t>(std::max<std::int64_t>(0, due)));
    for (std::size_t i = 0; i < count; ++i) {
        floodSeed_ ^= floodSeed_ << 13; // xorshift32
        floodSeed_ ^= floodSeed_ >> 17;
        floodSeed_ ^= floodSeed_ << 5;
        output_ += static_cast<char>(floodSeed_ & 0xFF);
    }
}

void PtyInstrumentServer::serve(const std::function<void(const std::string&)>& onSlave)
{
    SteadySimClock steady;
    while (!stop_.load()) {
        if (master_ < 0) {
            if (steady.nowMicros() < reopenAt_) {
                pause(std::min<std::int64_t>(IdlePollMicros, reopenAt_ - steady.nowMicros()));
                continue;
            }
            std::string error;
            if (!open(error)) {
                pause(IdlePollMicros);
                continue;
            }
            if (onSlave)
                onSlave(slavePath_);
        }
        const SimulatedInstrument::Output out = instrument_.takeDue();
        output_ += out.bytes;
        addFlood(steady.nowMicros());
        hangUpAfterOutput_ = hangUpAfterOutput_ || out.hungUp;
        writeOutput();
        if (hangUpAfterOutput_ && output_.empty()) {
            hangUp();
            continue;
        }

        std::int64_t wait = floodRate_ > 0 ? FloodPollMicros : IdlePollMicros;
        if (const std::optional<std::int64_t> due = instrument_.dueMicros())
            wait = std::clamp<std::int64_t>(*due - instrument_.clock().nowMicros(), 0, wait);
        pollfd fd{master_, static_cast<short>(POLLIN | (output_.empty() ? 0 : POLLOUT)), 0};
        const timespec timeout{static_cast<time_t>(wait / 1'000'000),
                               static_cast<long>((wait % 1'000'000) * 1000)};
        const int ready = ppoll(&fd, 1, &timeout, nullptr);
        if (ready > 0 && (fd.revents & (POLLIN | POLLHUP | POLLERR)) != 0)
            readInput();
    }
}

} // namespace kv
