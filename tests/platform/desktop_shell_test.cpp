#include "platform/desktop_shell.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

namespace kv {
namespace {

TEST(DesktopShell, StartsAProgramRatherThanOpeningIt)
{
    QTemporaryDir dir;
    const QString marker = QDir(dir.path()).filePath(QStringLiteral("ran"));
    const QString program = QDir(dir.path()).filePath(QStringLiteral("tool"));
    QFile script(program);
    ASSERT_TRUE(script.open(QIODevice::WriteOnly));
    script.write(QStringLiteral("#!/bin/sh\ntouch '%1'\n").arg(marker).toUtf8());
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);

    DesktopShell shell;
    ASSERT_TRUE(shell.start(program));
    // The program runs detached: wait for its mark.
    const QDeadlineTimer deadline(10000);
    while (!QFileInfo::exists(marker) && !deadline.hasExpired())
        QThread::msleep(10);
    EXPECT_TRUE(QFileInfo::exists(marker));
}

TEST(DesktopShell, AProgramThatCannotStartIsReported)
{
    QTemporaryDir dir;
    const QString notAProgram = QDir(dir.path()).filePath(QStringLiteral("plain.txt"));
    QFile file(notAProgram);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("text");
    file.close();
    DesktopShell shell;
    EXPECT_FALSE(shell.start(notAProgram));
    EXPECT_FALSE(shell.start(QDir(dir.path()).filePath(QStringLiteral("missing"))));
}

} // namespace
} // namespace kv
