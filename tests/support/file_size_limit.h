#pragma once

// A full disk, as far as a writer can tell: while a FileSizeLimit is alive, no file of this
// process can grow beyond `bytes`; the signal the kernel sends for it is ignored, so the write
// fails instead.

#include <csignal>
#include <sys/resource.h>

namespace kv::test {

class FileSizeLimit
{
  public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ok_ = getrlimit(RLIMIT_FSIZE, &old_) == 0;
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        ok_ = ok_ && setrlimit(RLIMIT_FSIZE, &limit) == 0;
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

    // The limit is in force.
    bool ok() const { return ok_; }

  private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
    bool ok_ = false;
};

} // namespace kv::test
