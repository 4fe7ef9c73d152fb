#pragma once

// Helpers of the export, picture and print tests: running a checker program, reading PDF pages,
// folders that cannot be written, reading files back. Header only.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace kv::test {

struct ProgramOutput
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs a program to the end (at most 60 s) and returns what it printed.
inline ProgramOutput runProgram(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    ProgramOutput result;
    if (!process.waitForFinished(60000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// The page count pdfinfo reads in a PDF file; -1 when it reads none.
inline int pdfPageCount(const QString& pdf)
{
    const ProgramOutput info = runProgram(QStringLiteral("pdfinfo"), {pdf});
    const auto match = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info.out);
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

// The text of each page of a PDF file, as pdftotext lays it out.
inline QStringList pdfPageTexts(const QString& pdf)
{
    return runProgram(QStringLiteral("pdftotext"),
                      {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
        .out.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
}

// Each of the first `count` pages holds every one of `texts`.
inline void expectEveryPageShows(const QStringList& pages, int count, const QStringList& texts)
{
    for (int page = 0; page < count && page < pages.size(); ++page) {
        SCOPED_TRACE(page);
        for (const QString& text : texts)
            EXPECT_TRUE(pages[page].contains(text))
                << '"' << text.toStdString() << "\" is not on the page:\n"
                << pages[page].toStdString();
    }
}

inline QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// True when a file can be created in `folder`.
inline bool folderWritable(const QString& folder)
{
    const QString probe = QDir(folder).filePath(QStringLiteral(".probe"));
    QFile file(probe);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.close();
    QFile::remove(probe);
    return true;
}

// A folder in which no file can be created: `dir` made read-only, or, where permissions do not
// hold (the tests run as root), the kernel's read-only /sys. nullopt when there is none.
inline std::optional<QString> readOnlyFolder(const QTemporaryDir& dir)
{
    const QString folder = QDir(dir.path()).filePath(QStringLiteral("read-only"));
    QDir().mkpath(folder);
    ::chmod(folder.toLocal8Bit().constData(), 0555);
    if (!folderWritable(folder))
        return folder;
    if (!folderWritable(QStringLiteral("/sys")))
        return QStringLiteral("/sys");
    return std::nullopt;
}

// The names in `folder`, hidden ones included.
inline QStringList entriesOf(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace kv::test
