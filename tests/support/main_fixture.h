#pragma once

// A headless main window for tests: built on a temporary program folder with the simulated
// instrument in process behind its serial control, scripted dialogs and recording services.
//
//     TEST_F(MainFixture, Something) {
//         load();                      // Form_Load (optionally after writing files into folder())
//         main().CWKnob2->setPosition(3);
//         EXPECT_EQ(serial().written().back(), ...);
//         dialogs().answer(kv::MsgResult::Yes);
//     }
//
// Header only.

#include "app/main_window.h"
#include "app/splash_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "instrument-sim/in_process_serial.h"
#include "instrument-sim/sim_clock.h"
#include "support/service_doubles.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace kv::test {

class MainFixture : public ::testing::Test
{
  protected:
    MainFixture()
        : clock_(std::make_shared<ManualSimClock>()), serial_(clock_),
          printers_(QDir(dir_.path()).filePath(QStringLiteral("print.pdf")))
    {
    }

    void TearDown() override
    {
        if (main_) {
            EXPECT_EQ(dialogs_.remaining(), 0) << "scripted dialog answers were not used";
        }
        main_.reset();
    }

    // The fixture's services, with `dialogs` in place of the scripted ones: for a window of the
    // test's own, a second start or one that shows real boxes.
    MainServices services(Dialogs& dialogs)
    {
        return {serial_, dialogs, shell_, registry_, systemInfo_, printers_, folder()};
    }
    MainServices services() { return services(dialogs_); }
    // The same on another program folder.
    MainServices servicesIn(const QString& programFolder)
    {
        MainServices in = services();
        in.programFolder = programFolder;
        return in;
    }

    // Builds the window (once) without running start-up.
    Main& build()
    {
        if (!main_)
            main_ = std::make_unique<Main>(services());
        return *main_;
    }

    // Builds the window and runs Form_Load.
    Main& load()
    {
        build().Form_Load();
        return *main_;
    }

    Main& main() { return main_ ? *main_ : build(); }
    InProcessSerial& serial() { return serial_; }
    SimulatedInstrument& instrument() { return serial_.instrument(); }
    ManualSimClock& clock() { return *clock_; }
    ScriptedDialogs& dialogs() { return dialogs_; }
    RecordingShell& shell() { return shell_; }
    FixedRegistry& registry() { return registry_; }
    FixedSystemInfo& systemInfo() { return systemInfo_; }
    PdfPrinterFactory& printers() { return printers_; }
    // The temporary program folder (the autosave file, Graphics/, dosdevices/ go here).
    QString folder() const { return dir_.path(); }
    QString path(const QString& name) const { return QDir(dir_.path()).filePath(name); }

  private:
    QTemporaryDir dir_;
    std::shared_ptr<ManualSimClock> clock_;
    InProcessSerial serial_;
    ScriptedDialogs dialogs_;
    RecordingShell shell_;
    FixedRegistry registry_;
    FixedSystemInfo systemInfo_;
    PdfPrinterFactory printers_;
    std::unique_ptr<Main> main_;
};

} // namespace kv::test
