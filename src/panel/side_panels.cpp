#include "panel/side_panels.h"

#include "controls/cw_button.h"
#include "controls/cw_timer.h"
#include "controls/default_pointer.h"
#include "controls/picture_box.h"

#include <QEvent>
#include <QLabel>
#include <QMainWindow>

namespace kv {

namespace {

// A move without a button held reaches only a widget that tracks the mouse. A surface whose
// moves restore the arrow tracks it, and so does everything on it: labels and frames pass a
// move they do not use on to the surface; controls report their own.
void trackMouseOver(QWidget* surface)
{
    surface->setMouseTracking(true);
    for (QWidget* child : surface->findChildren<QWidget*>())
        child->setMouseTracking(true);
}

} // namespace

SidePanels::SidePanels(const Controls& controls) : ui(controls)
{
    connect(ui.imgCF, &PictureBox::clicked, this, &SidePanels::imgCF_Click);
    connect(ui.imgCM, &PictureBox::clicked, this, &SidePanels::imgCM_Click);
    connect(ui.imgCT, &PictureBox::clicked, this, &SidePanels::imgCT_Click);
    connect(ui.imgFC, &PictureBox::clicked, this, &SidePanels::imgFC_Click);
    connect(ui.imgFM, &PictureBox::clicked, this, &SidePanels::imgFM_Click);
    connect(ui.imgFT, &PictureBox::clicked, this, &SidePanels::imgFT_Click);
    connect(ui.imgMC, &PictureBox::clicked, this, &SidePanels::imgMC_Click);
    connect(ui.imgMF, &PictureBox::clicked, this, &SidePanels::imgMF_Click);
    connect(ui.imgMT, &PictureBox::clicked, this, &SidePanels::imgMT_Click);
    connect(ui.imgTC, &PictureBox::clicked, this, &SidePanels::imgTC_Click);
    connect(ui.imgTM, &PictureBox::clicked, this, &SidePanels::imgTM_Click);
    connect(ui.imgFS, &PictureBox::clicked, this, &SidePanels::imgFS_Click);
    connect(ui.CWButton18, &CwButton::valueChanged, this, &SidePanels::CWButton18_ValueChanged);
    connect(ui.CWButton26, &CwButton::valueChanged, this, &SidePanels::CWButton26_ValueChanged);
    connect(ui.Image1, &PictureBox::mouseMoved, this, &SidePanels::Image1_MouseMove);
    connect(ui.picCursor, &PictureBox::mouseMoved, this, &SidePanels::picCursor_MouseMove);
    connect(ui.picFile, &PictureBox::mouseMoved, this, &SidePanels::picFile_MouseMove);
    connect(ui.picMeasure, &PictureBox::mouseMoved, this, &SidePanels::picMeasure_MouseMove);
    connect(ui.picTrigger, &PictureBox::mouseMoved, this, &SidePanels::picTrigger_MouseMove);
    connect(ui.Picture4, &PictureBox::mouseMoved, this, &SidePanels::Picture4_MouseMove);
    for (PictureBox* surface :
         {ui.Image1, ui.picCursor, ui.picFile, ui.picMeasure, ui.picTrigger, ui.Picture4})
        trackMouseOver(surface);
    // The window's background: mouse moves that no control takes reach the central widget, also
    // those over the captions that stand on it.
    if (QWidget* face = ui.window->centralWidget()) {
        face->installEventFilter(this);
        face->setMouseTracking(true);
        for (QLabel* caption : face->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
            caption->setMouseTracking(true);
    }
}

bool SidePanels::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseMove)
        Form_MouseMove();
    return QObject::eventFilter(watched, event);
}

void SidePanels::switchPage(PictureBox* current, PictureBox* target)
{
    target->setVisible(true);
    current->setVisible(false);
}

void SidePanels::imgCF_Click()
{
    switchPage(ui.picCursor, ui.picFile);
}
void SidePanels::imgCM_Click()
{
    switchPage(ui.picCursor, ui.picMeasure);
}
void SidePanels::imgCT_Click()
{
    switchPage(ui.picCursor, ui.picTrigger);
}
void SidePanels::imgFC_Click()
{
    switchPage(ui.picFile, ui.picCursor);
}
void SidePanels::imgFM_Click()
{
    switchPage(ui.picFile, ui.picMeasure);
}
void SidePanels::imgFT_Click()
{
    switchPage(ui.picFile, ui.picTrigger);
}
void SidePanels::imgMC_Click()
{
    switchPage(ui.picMeasure, ui.picCursor);
}
void SidePanels::imgMF_Click()
{
    switchPage(ui.picMeasure, ui.picFile);
}
void SidePanels::imgMT_Click()
{
    switchPage(ui.picMeasure, ui.picTrigger);
}
void SidePanels::imgTC_Click()
{
    switchPage(ui.picTrigger, ui.picCursor);
}
void SidePanels::imgTM_Click()
{
    switchPage(ui.picTrigger, ui.picMeasure);
}
void SidePanels::imgFS_Click()
{
    switchPage(ui.picTrigger, ui.picFile);
}

void SidePanels::CWButton18_ValueChanged(bool value)
{
    if (!value)
        return;
    // Acquisition stops before the panel, where the settings buttons stand, comes up.
    ui.CWButton1->setValue(false);
    ui.Options->setVisible(true);
    ui.CWButton1->setValue(false);
    ui.CheckCOM->setEnabled(true);
    ui.lblSearchPort->setText(QString());
    ui.btnSelectCOMPort->setOnText(QString());
    ui.btnSelectCOMPort->setOffText(QString());
}

void SidePanels::CWButton26_ValueChanged(bool)
{
    ui.Options->setVisible(false);
    ui.CheckCOM->setEnabled(true);
    ui.btnSearchCOMPort->setVisible(false);
    ui.Label4->setVisible(true);
    ui.btnSelectCOMPort->setVisible(false);
}

void SidePanels::Form_MouseMove()
{
    restoreDefaultPointer(*ui.window);
}
void SidePanels::Image1_MouseMove()
{
    restoreDefaultPointer(*ui.window);
}
void SidePanels::picCursor_MouseMove()
{
    restoreDefaultPointer(*ui.window);
}
void SidePanels::picFile_MouseMove()
{
    restoreDefaultPointer(*ui.window);
}
void SidePanels::picMeasure_MouseMove()
{
    restoreDefaultPointer(*ui.window);
}
void SidePanels::picTrigger_MouseMove()
{
    restoreDefaultPointer(*ui.window);
}
void SidePanels::Picture4_MouseMove()
{
    restoreDefaultPointer(*ui.window);
}

} // namespace kv
