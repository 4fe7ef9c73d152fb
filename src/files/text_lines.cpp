#include "files/text_lines.h"

#include <QFile>
#include <QFileInfo>

namespace kv {

TextLines SplitLines(std::string_view text, std::size_t maxLines, std::size_t maxLineLength)
{
    TextLines result;
    std::size_t start = 0;
    while (start < text.size() && result.lines.size() < maxLines) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        if (end - start > maxLineLength) {
            result.failed = true;
            break;
        }
        result.lines.emplace_back(text.substr(start, end - start));
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    return result;
}

std::optional<std::string> ReadFileHead(const QString& path, std::size_t maxBytes, QString* reason)
{
    const auto fail = [reason](const QString& why) -> std::optional<std::string> {
        if (reason)
            *reason = why;
        return std::nullopt;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("The file does not exist."));
    if (!info.isFile())
        return fail(QStringLiteral("This is not a file."));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.errorString());
    std::string bytes(maxBytes, '\0');
    const qint64 got = file.read(bytes.data(), qint64(maxBytes));
    if (got < 0)
        return fail(file.errorString());
    bytes.resize(std::size_t(got));
    return bytes;
}

} // namespace kv
