#include "app/splash_identity.h"

#include "app/main_window.h"
#include "app/splash_window.h"
#include "controls/cw_button.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"

namespace kv {

bool SplashIdentity::visible() const
{
    return main_.splashLoaded() && main_.frmSplash().isVisible();
}

void SplashIdentity::setLamp(int bgr)
{
    main_.frmSplash().CWButton7->setOffColor(bgr);
}

void SplashIdentity::armClosing()
{
    // Armed once: each later identification must not push the closing further away.
    CwTimer& timer = *main_.frmSplash().SplashTime;
    if (!timer.enabled())
        timer.setEnabled(true);
}

void SplashIdentity::setModel(const QString& line)
{
    main_.frmSplash().Model->setText(line);
}

void SplashIdentity::setFirmware(const QString& line)
{
    main_.frmSplash().Firmware->setText(line);
}

void SplashIdentity::setManufacture(const QString& line)
{
    main_.frmSplash().Manufacture->setText(line);
}

} // namespace kv
