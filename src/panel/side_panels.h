#pragma once

#include "controls/control_classes.h"
#include "panel/layer.h"

#include <QObject>

class QEvent;

namespace kv {

// The side panel's four pages with their twelve tab images, the Options panel (opened by
// CWButton18, closed by CWButton26) and the mouse-move handlers that restore the arrow pointer.
class SidePanels : public QObject
{
    Q_OBJECT

  public:
    // The controls the group works; none is null.
    struct Controls
    {
        // Its pointer shape is restored; its central widget, the face, reports the mouse moves
        // that no control takes.
        QMainWindow* window;
        PictureBox* picCursor;
        PictureBox* picFile;
        PictureBox* picMeasure;
        PictureBox* picTrigger;
        PictureBox* imgCF;
        PictureBox* imgCM;
        PictureBox* imgCT;
        PictureBox* imgFC;
        PictureBox* imgFM;
        PictureBox* imgFT;
        PictureBox* imgMC;
        PictureBox* imgMF;
        PictureBox* imgMT;
        PictureBox* imgTC;
        PictureBox* imgTM;
        PictureBox* imgFS;
        PictureBox* Image1;
        PictureBox* Picture4;
        CwButton* CWButton18; // opens Options
        CwButton* CWButton26; // closes Options
        PictureBox* Options;
        CwButton* CWButton1; // Run/Stop, off while Options is up
        CwTimer* CheckCOM;
        QLabel* lblSearchPort;
        CwButton* btnSelectCOMPort;
        CwButton* btnSearchCOMPort;
        QLabel* Label4;
    };

    explicit SidePanels(const Controls& controls);

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

    const Controls ui;
};

} // namespace kv
