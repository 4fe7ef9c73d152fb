#include "platform/services.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <algorithm>

namespace kv {

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

QString filterSuffix(const QString& runtimeFilter, int filterIndex)
{
    const QStringList parts = runtimeFilter.split(QLatin1Char('|'));
    const int at = 2 * filterIndex - 1;
    if (filterIndex < 1 || at >= parts.size())
        return {};
    const QString pattern = parts[at].split(QLatin1Char(';')).front().trimmed();
    if (!pattern.startsWith(QStringLiteral("*.")))
        return {};
    const QString suffix = pattern.mid(2);
    const bool plain = !suffix.isEmpty() && std::none_of(suffix.begin(), suffix.end(), [](QChar c) {
        return c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char('.');
    });
    return plain ? suffix : QString();
}

QString withSuffix(const QString& fileName, const QString& suffix)
{
    const QString name = QFileInfo(fileName).fileName();
    if (suffix.isEmpty() || name.isEmpty())
        return fileName;
    if (name.endsWith(QLatin1Char('.')))
        return fileName + suffix;
    if (name.lastIndexOf(QLatin1Char('.')) > 0)
        return fileName;
    return fileName + QLatin1Char('.') + suffix;
}

std::optional<FileDialogResult> Dialogs::ShowSave(const FileDialogRequest& request)
{
    std::optional<FileDialogResult> chosen = ShowSaveDialog(request);
    if (chosen)
        chosen->fileName =
            withSuffix(chosen->fileName, filterSuffix(request.filter, chosen->filterIndex));
    return chosen;
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

QString executableFolder()
{
    return QCoreApplication::applicationDirPath();
}

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
