#pragma once

#include "app/layer.h"
#include "app/rules/shrink_steps.h"
#include "controls/control_classes.h"
#include "state/scope_state.h"

#include <QObject>
#include <QRectF>
#include <QString>
#include <functional>
#include <vector>

namespace kv {

class Dialogs;
class Printing;
class SettingsFile;

// Ending the program: the power switch CWButton3 (and File, Exit) with its question, and the
// main window's unload handler (close box, system menu).
class Shutdown : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        QWidget* window;      // its close is the unload; it shrinks and hides on the way out
        CwButton* CWButton3;  // POWER
        CwButton* CWButton14; // the round lamp beside it
        QAction* mnuFExit;
    };

    // `unloadSplash` unloads the splash window, which the main window owns.
    Shutdown(ScopeState& state, const Controls& controls, Dialogs& dialogs,
             const QString& programFolder, std::function<void()> unloadSplash,
             SettingsFile& settingsFile, Printing& printing);

    void CWButton3_ValueChanged(bool value);
    void mnuFExit_Click();
    // The confirmed quit: autosave, question, then the closing path or back to running.
    void QuitProgram();
    // The closing animation.
    void ShrinkForm();
    // The unconfirmed quit: autosave, unload the other windows, end the program.
    void Form_Unload();

    // Ends the program; tests replace it to see that it was called.
    std::function<void()> endProgram;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void autosave();

    ScopeState& state_;
    const Controls ui;
    Dialogs& dialogs_;
    const QString programFolder_;
    const std::function<void()> unloadSplash_;
    SettingsFile& settingsFile_;
    Printing& printing_;
    bool unloading_ = false;
};

} // namespace kv
