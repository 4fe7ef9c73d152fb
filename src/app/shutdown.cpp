#include "app/shutdown.h"

#include "controls/cw_button.h"
#include "files/printing.h"
#include "files/settings_file.h"
#include "platform/services.h"
#include "state/colours.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <QWidget>
#include <cmath>

namespace kv {

namespace {

constexpr double TwipsPerPixel = 15.0;

} // namespace

Shutdown::Shutdown(ScopeState& state, const Controls& controls, Dialogs& dialogs,
                   const QString& programFolder, std::function<void()> unloadSplash,
                   SettingsFile& settingsFile, Printing& printing)
    : endProgram([] { QCoreApplication::exit(0); }), state_(state), ui(controls), dialogs_(dialogs),
      programFolder_(programFolder), unloadSplash_(std::move(unloadSplash)),
      settingsFile_(settingsFile), printing_(printing)
{
    connect(ui.CWButton3, &CwButton::valueChanged, this,
            [this](bool v) { CWButton3_ValueChanged(v); });
    connect(ui.mnuFExit, &QAction::triggered, this, [this] { mnuFExit_Click(); });
    ui.window->installEventFilter(this);
}

bool Shutdown::eventFilter(QObject* watched, QEvent* event)
{
    // Unloading the main window cannot be refused.
    if (watched == ui.window && event->type() == QEvent::Close) {
        Form_Unload();
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

void Shutdown::CWButton3_ValueChanged(bool value)
{
    if (value)
        return;
    ui.CWButton14->setOffColor(colour::Red);
    QuitProgram();
}

void Shutdown::mnuFExit_Click()
{
    ui.CWButton3->setValue(false);
}

void Shutdown::autosave()
{
    // Without a question; a failed write leaves the previous file as it was and is told once.
    state_.FilePath = autosavePath(programFolder_).toStdString();
    settingsFile_.SaveAtExit();
}

void Shutdown::QuitProgram()
{
    autosave();
    const MsgResult answer = dialogs_.MsgBox(QStringLiteral("Are You Sure You Want To Quit?"),
                                             MsgButtons::YesNo, MsgIcon::None, AppTitle);
    if (answer != MsgResult::Yes) {
        ui.CWButton14->setOffColor(colour::Green);
        ui.CWButton3->setValue(true);
        return;
    }
    unloadSplash_();
    printing_.unloadPage();
    ShrinkForm();
    Form_Unload();
}

void Shutdown::ShrinkForm()
{
    const QRect g = ui.window->geometry();
    // The window's size is fixed to the face's; let it go below that, the face cut off by the
    // window's edges, or every step is refused and the window only moves.
    ui.window->layout()->setSizeConstraint(QLayout::SetNoConstraint);
    ui.window->setMinimumSize(0, 0);
    ui.window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const auto px = [](double twips) { return int(std::lround(twips / TwipsPerPixel)); };
    for (const ShrinkStep& step :
         ShrinkSteps(g.x() * TwipsPerPixel, g.y() * TwipsPerPixel, g.width() * TwipsPerPixel,
                     g.height() * TwipsPerPixel)) {
        ui.window->setGeometry(px(step.left), px(step.top), px(step.width), px(step.height));
        // The steps follow each other without a pause.
        if (step.repaint)
            ui.window->repaint();
    }
}

void Shutdown::Form_Unload()
{
    if (unloading_)
        return;
    unloading_ = true;
    autosave();
    unloadSplash_();
    printing_.unloadPage();
    ui.window->hide();
    if (endProgram)
        endProgram();
}

} // namespace kv
