#include "platform/services.h"

#include "controls/cw_timer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace kv {

namespace {
int modalDepth = 0;
} // namespace

ModalGuard::ModalGuard() { ++modalDepth; }
ModalGuard::~ModalGuard() { --modalDepth; }
int ModalGuard::depth() { return modalDepth; }

void connectTick(CwTimer* timer, QObject* context, std::function<void()> handler)
{
    QObject::connect(timer, &CwTimer::tick, context, [handler = std::move(handler)] {
        if (!ModalGuard::open())
            handler();
    });
}

QStringList qtNameFilters(const QString& runtimeFilter)
{
    // "Desc (*.x)|*.x|Desc2|*.y;*.z": pairs of description and patterns.
    const QStringList parts = runtimeFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts[i].trimmed();
        const QString patterns = parts[i + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' '));
        if (!description.contains(QLatin1Char('(')))
            description += QStringLiteral(" (") + patterns + QLatin1Char(')');
        filters << description;
    }
    return filters;
}

std::unique_ptr<QPrinter> SystemPrinterFactory::create()
{
    return std::make_unique<QPrinter>(QPrinter::HighResolution);
}

std::unique_ptr<QPrinter> PdfPrinterFactory::create()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path_);
    return printer;
}

QString executableFolder() { return QCoreApplication::applicationDirPath(); }

QString autosaveFolder(const QString& programFolder)
{
    QTemporaryFile probe(QDir(programFolder).filePath(QStringLiteral(".write-test-XXXXXX")));
    if (probe.open())
        return programFolder;
    const QString config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    QDir().mkpath(config);
    return config;
}

} // namespace kv
