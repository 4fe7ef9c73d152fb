// The settings loader (both parts: the fields it stores and the controls it drives) reading the
// bytes under test as a settings file. Before each input the window is put back into its
// start-up state by loading the settings the program saved right after start-up. A file that
// passes the loader's check must load to the end; a file it refuses must leave the settings as
// they were.

#include "files/settings_file.h"
#include "fuzz_support.h"

#include <QFile>
#include <cstdlib>

namespace {

using namespace kv;

const QString BaselineName = QStringLiteral("baseline.set");
const QString InputName = QStringLiteral("input.set");
const QString StateName = QStringLiteral("state.set");

fuzz::HarnessPool& pool = fuzz::HarnessPool::forTarget(1000);

bool load(Main& w, const QString& path)
{
    w.state.FilePath = path.toStdString();
    return w.settingsFile->LoadSettingsFile();
}

// The settings as the program would save them now.
QByteArray settingsNow(fuzz::Harness& h)
{
    Main& w = h.main();
    w.state.FilePath = h.path(StateName).toStdString();
    if (!w.settingsFile->SaveSettingsFile())
        std::abort();
    QFile file(h.path(StateName));
    if (!file.open(QIODevice::ReadOnly))
        std::abort();
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Harness& h = pool.next();
    Main& w = h.main();
    if (!w.settingsFile)
        return 0;
    if (!h.prepared) {
        w.state.FilePath = h.path(BaselineName).toStdString();
        if (!w.settingsFile->SaveSettingsFile())
            std::abort(); // the program cannot write its own settings: nothing to fuzz against
        h.prepared = true;
    } else {
        load(w, h.path(BaselineName));
    }
    const std::string_view input = fuzz::bytes(data, size);
    if (!fuzz::writeFile(h.path(InputName), input))
        return 0;
    // The loader reads only the head that holds lines 1 to 64.
    const bool passes =
        !CheckSettingsFile(ParseSettingsFileText(input.substr(0, MaxSettingsFileBytes)));
    const QByteArray before = settingsNow(h);
    const bool loaded = load(w, h.path(InputName));
    if (loaded != passes)
        std::abort(); // a step failed on a value the check let through
    if (!loaded && settingsNow(h) != before)
        std::abort(); // a refused file changed the settings
    fuzz::drainEvents();
    return 0;
}
