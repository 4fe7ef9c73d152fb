#pragma once

#include "app/handler_group.h"

namespace kv {

// The factory state: the Options panel's "Load Default Settings" button CWButton27 and the File
// menu's mnuFDefault, each after a confirmation, then the offer to go back to COM port 10.
class DefaultSettings : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit DefaultSettings(Main& main);

    void CWButton27_ValueChanged(bool value);
    void mnuFDefault_Click();

  private:
    void attenuatorsOff();
    void triggerDefaults();
    void channelDefaults();
    void viewDefaults();
    void triggerDisplay();
    void hideChannels();
    void askComPort();
    void cursorColours();
};

} // namespace kv
