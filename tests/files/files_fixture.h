#pragma once

// Helpers of the file tests: reading and writing files by lines, faults of the file system.

#include "file_test_support.h"
#include "support/file_size_limit.h"
#include "support/main_fixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <string>
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
