// The text typed into the COM port list: the pure position rule, then the list's lost-focus
// handler with the text in the box.

#include "fuzz_support.h"
#include "link/port_search.h"
#include "platform/rules/serial_control.h"

#include <QComboBox>
#include <cstdlib>

namespace {

using namespace kv;

fuzz::HarnessPool& pool = fuzz::HarnessPool::forTarget(5000);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), int(size));
    const std::optional<int> position = ComListPositionFor(text);
    if (position && (*position < 0 || *position > 255))
        std::abort();

    fuzz::Harness& h = pool.next();
    Main& w = h.main();
    if (!w.portSearch)
        return 0;
    w.COMCombo->setCurrentIndex(9);
    w.COMCombo->setEditText(text);
    w.portSearch->COMCombo_LostFocus();
    // Whatever was typed, the port stays within the list.
    const int port = h.serial().PortNumber();
    if (port < 1 || port > 256)
        std::abort();
    fuzz::drainEvents();
    return 0;
}
