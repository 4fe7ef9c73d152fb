#pragma once

#include "app/layer.h"
#include "link/identity_splash.h"

#include <QObject>

namespace kv {

class Main;

// The identification's lines on the window's splash window (Main::frmSplash). A QObject so that
// the window keeps it with its groups.
class SplashIdentity : public QObject, public IdentitySplash
{
  public:
    explicit SplashIdentity(Main& main) : main_(main) {}

    bool visible() const override;
    void setLamp(int bgr) override;
    void armClosing() override;
    void setModel(const QString& line) override;
    void setFirmware(const QString& line) override;
    void setManufacture(const QString& line) override;

  private:
    Main& main_;
};

} // namespace kv
