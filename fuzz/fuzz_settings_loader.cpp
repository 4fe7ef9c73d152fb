// The settings loader (both parts: the fields it stores and the controls it drives) reading the
// bytes under test as a settings file. Before each input the window is put back into its
// start-up state by loading the settings the program saved right after start-up.

#include "files/settings_file.h"
#include "fuzz_support.h"

#include <cstdlib>

namespace {

using namespace kv;

const QString BaselineName = QStringLiteral("baseline.set");
const QString InputName = QStringLiteral("input.set");

fuzz::HarnessPool& pool = fuzz::HarnessPool::forTarget(1000);

void load(Main& w, const QString& path)
{
    w.state.FilePath = path.toStdString();
    w.settingsFile->LoadSettingsFile();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    fuzz::initApplication(argc, argv);
    return 0;
}

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
    if (!fuzz::writeFile(h.path(InputName), fuzz::bytes(data, size)))
        return 0;
    load(w, h.path(InputName));
    fuzz::drainEvents();
    return 0;
}
