#include "fuzz_support.h"

#include "app/splash_window.h"
#include "controls/cw_timer.h"
#include "link/rules/command_frame.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <algorithm>

namespace kv::fuzz {

void initApplication(int* argc, char*** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Lives until the process ends: the targets' windows are built and torn down under it.
    new QApplication(*argc, *argv);
}

void drainEvents()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::sendPostedEvents();
}

std::string_view bytes(const std::uint8_t* data, std::size_t size)
{
    return {reinterpret_cast<const char*>(data), size};
}

// ---- ReplySerial ----------------------------------------------------------------------------

void ReplySerial::WriteByte(std::uint8_t byte)
{
    if (frameBytes_ > 0) {
        if (++frameBytes_ == CommandFrameLength) {
            frameBytes_ = 0;
            input_ = reply_;
        }
        return;
    }
    if (byte == FrameStart)
        frameBytes_ = 1;
    else if (byte == IdentifyCmd)
        input_ = reply_;
}

std::string ReplySerial::ReadBytes(int n)
{
    const std::size_t count = std::min(input_.size(), static_cast<std::size_t>(std::max(n, 0)));
    std::string out = input_.substr(0, count);
    input_.erase(0, count);
    return out;
}

std::int16_t ReplySerial::BytesWaiting()
{
    // The control reports the count as a 16-bit integer.
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(input_.size()));
}

// ---- Harness ------------------------------------------------------------------------------------

Harness::Harness() : printers_(QDir(dir_.path()).filePath(QStringLiteral("print.pdf")))
{
    serial_.setReply("OC10351");
    main_ = std::make_unique<Main>(
        MainServices{serial_, dialogs_, shell_, registry_, system_, printers_, dir_.path()});
    main_->Form_Load();
    for (CwTimer* timer : {main_->Timer1, main_->CheckCOM, main_->TriggerTimer})
        timer->setEnabled(false);
    if (main_->splashLoaded())
        main_->frmSplash().SplashTime->setEnabled(false);
    drainEvents();
}

Harness::~Harness()
{
    main_.reset();
    drainEvents();
}

QString Harness::path(const QString& name) const
{
    return QDir(dir_.path()).filePath(name);
}

HarnessPool& HarnessPool::forTarget(int rebuildEvery)
{
    static HarnessPool* const pool = new HarnessPool(rebuildEvery);
    return *pool;
}

Harness& HarnessPool::next()
{
    if (!harness_ || uses_ >= rebuildEvery_) {
        harness_.reset();
        harness_ = std::make_unique<Harness>();
        uses_ = 0;
    }
    ++uses_;
    return *harness_;
}

bool writeFile(const QString& path, std::string_view data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    const auto size = static_cast<qint64>(data.size());
    return file.write(data.data(), size) == size;
}

} // namespace kv::fuzz

// libFuzzer calls this once before the first input.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    kv::fuzz::initApplication(argc, argv);
    return 0;
}
