// The reference waveform loader reading the bytes under test as a reference file, followed by
// the read-outs that loading a reference refreshes. A file the loader refuses must leave the
// reference as it was.

#include "display/read_outs.h"
#include "files/reference_waveforms.h"
#include "fuzz_support.h"

#include <cstdlib>

namespace {

using namespace kv;

const QString InputName = QStringLiteral("input.rfw");

fuzz::HarnessPool& pool = fuzz::HarnessPool::forTarget(1000);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Harness& h = pool.next();
    Main& w = h.main();
    if (!w.referenceWaveforms)
        return 0;
    if (!fuzz::writeFile(h.path(InputName), fuzz::bytes(data, size)))
        return 0;
    w.state.FilePath = h.path(InputName).toStdString();
    const auto counts = w.state.REFCounts;
    const auto labels = w.state.VREFLabel.toText() + '\n' + w.state.HREFLabel.toText();
    if (!w.referenceWaveforms->LoadREFFile() &&
        (w.state.REFCounts != counts ||
         w.state.VREFLabel.toText() + '\n' + w.state.HREFLabel.toText() != labels))
        std::abort(); // a refused file changed the reference
    if (w.readOuts)
        w.readOuts->UpdateReadouts();
    fuzz::drainEvents();
    return 0;
}
