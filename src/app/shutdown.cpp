#include "app/shutdown.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "files/printing.h"
#include "files/settings_file.h"
#include "platform/services.h"
#include "state/colours.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QLayout>
#include <cmath>

namespace kv {

namespace {

constexpr double TwipsPerPixel = 15.0;

} // namespace

Shutdown::Shutdown(Main& main) : HandlerGroup(main), endProgram([] { QCoreApplication::exit(0); })
{
    connect(m.CWButton3, &CwButton::valueChanged, this,
            [this](bool v) { CWButton3_ValueChanged(v); });
    connect(m.mnuFExit, &QAction::triggered, this, [this] { mnuFExit_Click(); });
    m.installEventFilter(this);
}

bool Shutdown::eventFilter(QObject* watched, QEvent* event)
{
    // Unloading the main window cannot be refused.
    if (watched == &m && event->type() == QEvent::Close) {
        Form_Unload();
        event->accept();
        return true;
    }
    return HandlerGroup::eventFilter(watched, event);
}

void Shutdown::CWButton3_ValueChanged(bool value)
{
    if (value)
        return;
    m.CWButton14->setOffColor(colour::Red);
    QuitProgram();
}

void Shutdown::mnuFExit_Click()
{
    m.CWButton3->setValue(false);
}

void Shutdown::autosave()
{
    // Quietly, as every exit does: a failed write leaves the previous file as it was.
    m.state.FilePath = autosavePath(m.programFolder).toStdString();
    if (m.settingsFile)
        m.settingsFile->SaveSettingsFile();
}

void Shutdown::QuitProgram()
{
    autosave();
    const MsgResult answer = m.dialogs.MsgBox(QStringLiteral("Are You Sure You Want To Quit?"),
                                              MsgButtons::YesNo, MsgIcon::None, AppTitle);
    if (answer != MsgResult::Yes) {
        m.CWButton14->setOffColor(colour::Green);
        m.CWButton3->setValue(true);
        return;
    }
    m.unloadSplash();
    if (m.printing)
        m.printing->unloadPage();
    ShrinkForm();
    Form_Unload();
}

void Shutdown::ShrinkForm()
{
    const QRect g = m.geometry();
    // The window's size is fixed to the face's; let it go below that, the face cut off by the
    // window's edges, or every step is refused and the window only moves.
    m.layout()->setSizeConstraint(QLayout::SetNoConstraint);
    m.setMinimumSize(0, 0);
    m.setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const auto px = [](double twips) { return int(std::lround(twips / TwipsPerPixel)); };
    for (const ShrinkStep& step :
         ShrinkSteps(g.x() * TwipsPerPixel, g.y() * TwipsPerPixel, g.width() * TwipsPerPixel,
                     g.height() * TwipsPerPixel)) {
        m.setGeometry(px(step.left), px(step.top), px(step.width), px(step.height));
        // The steps follow each other without a pause.
        if (step.repaint)
            m.repaint();
    }
}

void Shutdown::Form_Unload()
{
    if (unloading_)
        return;
    unloading_ = true;
    autosave();
    m.unloadSplash();
    if (m.printing)
        m.printing->unloadPage();
    m.hide();
    if (endProgram)
        endProgram();
}

} // namespace kv
