// The identity reply: the pure parsing and model table, then CheckHardware with the reply under
// test coming from the serial control, with the splash window open and closed.

#include "app/splash_window.h"
#include "controls/cw_timer.h"
#include "fuzz_support.h"
#include "link/identification.h"

#include <cstdlib>

namespace {

using namespace kv;

void checkPure(std::string_view reply)
{
    const IdentityFields f = ParseIdentity(reply);
    // Every field is one character or none, every number a digit.
    for (const std::string* text : {&f.PresenceChar, &f.ModelCode, &f.MonthCode})
        if (text->size() > 1)
            std::abort();
    for (std::int16_t digit : {f.FirmwareRev1, f.FirmwareRev2, f.FirmwareRev3, f.YearDigit})
        if (digit < 0 || digit > 9)
            std::abort();
    (void)InstrumentPresent(f);
    (void)ModelFor(f.ModelCode);
    (void)ModelFor(reply);
    (void)FirmwareLine(f);
    (void)ManufactureLine(f);
    (void)AbsentModelLine(reply);
}

fuzz::HarnessPool& pool = fuzz::HarnessPool::forTarget(2000);

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view reply = fuzz::bytes(data, size);
    checkPure(reply);

    fuzz::Harness& h = pool.next();
    Main& w = h.main();
    if (!w.identification)
        return 0;
    h.serial().setReply(std::string(reply));
    w.frmSplash().show();
    w.identification->CheckHardware();
    w.frmSplash().SplashTime->setEnabled(false);
    w.frmSplash().hide();
    w.identification->CheckCOM_Timer();
    fuzz::drainEvents();
    return 0;
}
