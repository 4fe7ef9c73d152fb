#pragma once

// Helpers of the file tests: reading and writing files by lines, faults of the file system.

#include "support/main_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <csignal>
#include <string>
#include <sys/resource.h>
#include <vector>

namespace kv::test {

inline std::string readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll().toStdString();
}

inline void writeAll(const QString& path, const std::string& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes.data(), qint64(bytes.size()));
}

// The lines of a file written with CR LF line ends; fails when a line lacks its CR LF.
inline std::vector<std::string> crlfLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            ADD_FAILURE() << "text after the last CR LF: " << text.substr(start);
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

inline std::string joinCrlf(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// Files in a folder other than `except`: shows that no temporary file was left behind.
inline QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

// While alive, no file of this process can grow beyond `bytes` (a full disk, as far as the
// writer can tell); the signal the kernel sends for it is ignored so the write fails instead.
class FileSizeLimit
{
  public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old_);
        previous_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, previous_);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit old_{};
    void (*previous_)(int) = nullptr;
};

// A folder in which no file can be created: a read-only folder, or for a user whom permissions
// do not stop (root), a folder of the process file system.
inline QString unwritableFolder(const QString& readOnlyCandidate)
{
    QDir().mkpath(readOnlyCandidate);
    QFile::setPermissions(readOnlyCandidate, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    QFile probe(QDir(readOnlyCandidate).filePath(QStringLiteral("probe")));
    if (!probe.open(QIODevice::WriteOnly))
        return readOnlyCandidate;
    probe.close();
    probe.remove();
    return QStringLiteral("/proc/self");
}

} // namespace kv::test
