#include "files/rules/text_lines.h"

#include <QFile>
#include <QFileInfo>

namespace kv {

TextLines SplitLines(std::string_view text, std::size_t maxLines, std::size_t maxLineLength)
{
    TextLines result;
    constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
    std::size_t start =
        text.substr(0, ByteOrderMark.size()) == ByteOrderMark ? ByteOrderMark.size() : 0;
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

namespace {

// A line's text as a message shows it: at most 40 characters, control characters as '?'.
QString excerpt(std::string_view text)
{
    constexpr std::size_t Shown = 40;
    std::string shown(text.substr(0, Shown));
    for (char& c : shown) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            c = '?';
    }
    QString result = QString::fromStdString(shown);
    if (text.size() > Shown)
        result += QStringLiteral("...");
    return result;
}

} // namespace

FileRefusal LineRefusal(int line, std::string_view text, const QString& expected)
{
    return {line,
            QStringLiteral("Line %1 (\"%2\") is not %3.").arg(line).arg(excerpt(text), expected),
            false};
}

FileRefusal MissingLineRefusal(int line)
{
    return {line, QStringLiteral("The file ends before line %1.").arg(line), false};
}

std::optional<std::string> ReadWholeFile(const QString& path, std::size_t maxBytes,
                                         FileRefusal& refusal)
{
    QString reason;
    auto bytes = ReadFileHead(path, maxBytes + 1, &reason);
    if (!bytes) {
        refusal = {0, reason, true};
        return std::nullopt;
    }
    if (bytes->size() > maxBytes) {
        refusal = {0, QStringLiteral("The file is larger than any file of this kind."), false};
        return std::nullopt;
    }
    return bytes;
}

} // namespace kv
