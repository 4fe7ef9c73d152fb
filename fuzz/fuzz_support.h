#pragma once

// What every fuzz target of the window shares: one QApplication on the offscreen platform, a
// serial control that answers each request with the bytes under test, and a headless main window
// built from services that answer every dialog at once. A target that uses the harness links
// fuzz_support.cpp, and with it the LLVMFuzzerInitialize that creates the QApplication.

#include "app/main_window.h"
#include "platform/rules/serial_control.h"
#include "platform/services.h"
#include "platform/unattended_services.h"

#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace kv::fuzz {

// Creates the QApplication (offscreen unless QT_QPA_PLATFORM says otherwise), as the targets'
// LLVMFuzzerInitialize does; for programs with a main of their own.
void initApplication(int* argc, char*** argv);

// Delivers posted events (deferred deletes, update requests) without running timers, so that
// nothing accumulates between inputs.
void drainEvents();

std::string_view bytes(const std::uint8_t* data, std::size_t size);

// A serial control whose instrument answers every request with one fixed reply: the reply is
// queued when an identify byte or the last byte of a command frame is written. Reset and flush
// drop what is queued, as the real control does.
class ReplySerial : public SerialControl
{
  public:
    void setReply(std::string reply) { reply_ = std::move(reply); }

    void PortNumber(int number) override { port_ = number; }
    int PortNumber() const override { return port_; }
    void ReplyLength(int) override {}
    void WriteByte(std::uint8_t byte) override;
    std::string ReadBytes(int n) override;
    std::int16_t BytesWaiting() override;
    void FlushInput() override { input_.clear(); }
    void PortSetup() override {}
    void PortReset() override { input_.clear(); }

  private:
    std::string reply_;
    std::string input_;
    int port_ = 10;
    int frameBytes_ = 0; // bytes of a command frame written so far (0: none under way)
};

// A started main window on a temporary program folder, its timers stopped (the targets call
// the handlers themselves).
class Harness
{
  public:
    Harness();
    ~Harness();

    Main& main() { return *main_; }
    ReplySerial& serial() { return serial_; }
    QString path(const QString& name) const;

    // For the target's own one-time preparation of a new harness.
    bool prepared = false;

  private:
    QTemporaryDir dir_;
    ReplySerial serial_;
    UnattendedDialogs dialogs_;
    NoShell shell_;
    EmptyRegistry registry_;
    DefaultSystemInfo system_;
    PdfPrinterFactory printers_;
    std::unique_ptr<Main> main_;
};

// The harness of a target, rebuilt every `rebuildEvery` inputs so that whatever a long run
// leaves in the window cannot pile up.
class HarnessPool
{
  public:
    // The target's pool. It is never destroyed: at exit Qt's own statics go first, and a window
    // torn down after them would crash.
    static HarnessPool& forTarget(int rebuildEvery);

    Harness& next();

  private:
    explicit HarnessPool(int rebuildEvery) : rebuildEvery_(rebuildEvery) {}

    std::unique_ptr<Harness> harness_;
    int rebuildEvery_;
    int uses_ = 0;
};

// Writes `data` to `path`; false on failure.
bool writeFile(const QString& path, std::string_view data);

} // namespace kv::fuzz
