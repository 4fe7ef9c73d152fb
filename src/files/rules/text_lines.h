#pragma once

// Pure rules (library kv_rules): the standard library and QtCore only; no QObject, widget,
// control or window.

// Reading the program's small text files safely: a bounded read that refuses anything but a
// regular file, a line splitter with a cap on the line length, and why a file was refused.
// Writing: files/atomic_write.h.

#include <QString>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Longest line the readers accept; the longest line any of the files holds is far shorter.
inline constexpr std::size_t MaxFileLineLength = 1024;

struct TextLines
{
    std::vector<std::string> lines; // without their line ends
    bool failed = false;            // a line longer than the cap stopped the reading there
};

// Splits text into lines ending in CR LF, CR or LF; a last line without an end counts too.
// A UTF-8 byte-order mark before the first line (some editors add one) is skipped. Stops after
// `maxLines` lines, or before a line longer than `maxLineLength` (failed).
TextLines SplitLines(std::string_view text, std::size_t maxLines,
                     std::size_t maxLineLength = MaxFileLineLength);

// The first `maxBytes` bytes of a regular file; nullopt (and the reason) for a missing file, a
// folder, a device or pipe, or a read error.
std::optional<std::string> ReadFileHead(const QString& path, std::size_t maxBytes,
                                        QString* reason = nullptr);

// Why a loader refused a file: one sentence for the user, and the line at fault (0 when the file
// as a whole is). A file that could not be read at all is `unreadable`.
struct FileRefusal
{
    int line = 0;
    QString reason;
    bool unreadable = false;
};

// The refusal of line `line` (its text as read) that does not hold what `expected` says, e.g.
// "a whole number from 1 to 6".
FileRefusal LineRefusal(int line, std::string_view text, const QString& expected);
// The refusal of a file that ends before line `line`.
FileRefusal MissingLineRefusal(int line);

// The whole of a regular file of at most `maxBytes` bytes; nullopt (and the refusal) for a
// missing or unreadable file, a folder, a device or pipe, or a larger file.
std::optional<std::string> ReadWholeFile(const QString& path, std::size_t maxBytes,
                                         FileRefusal& refusal);

} // namespace kv
