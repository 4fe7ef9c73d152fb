#pragma once

#include "app/handler_group.h"

class QEvent;
class QWidget;

namespace kv {

class PictureBox;

// Puts the main window's mouse pointer back to the default arrow.
void restoreDefaultPointer(QWidget& window);

// The side panel's four pages with their twelve tab images, the Options panel (opened by
// CWButton18, closed by CWButton26) and the mouse-move handlers that restore the arrow pointer.
class SidePanels : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit SidePanels(Main& main);

    void imgCF_Click();
    void imgCM_Click();
    void imgCT_Click();
    void imgFC_Click();
    void imgFM_Click();
    void imgFT_Click();
    void imgMC_Click();
    void imgMF_Click();
    void imgMT_Click();
    void imgTC_Click();
    void imgTM_Click();
    void imgFS_Click();

    void CWButton18_ValueChanged(bool value);
    void CWButton26_ValueChanged(bool value);

    void Form_MouseMove();
    void Image1_MouseMove();
    void picCursor_MouseMove();
    void picFile_MouseMove();
    void picMeasure_MouseMove();
    void picTrigger_MouseMove();
    void Picture4_MouseMove();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Shows `target`, then hides `current`, the page the tab lies on.
    static void switchPage(PictureBox* current, PictureBox* target);
};

} // namespace kv
