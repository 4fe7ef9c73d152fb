#pragma once

#include "app/handler_group.h"
#include "app/shrink_steps.h"

#include <QRectF>
#include <functional>
#include <vector>

namespace kv {

// Ending the program: the power switch CWButton3 (and File, Exit) with its question, and the
// main window's unload handler (close box, system menu).
class Shutdown : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit Shutdown(Main& main);

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

    bool unloading_ = false;
};

} // namespace kv
