#include "panel/side_panels.h"

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"

#include <QEvent>
#include <QLabel>

namespace kv {

void restoreDefaultPointer(QWidget& window)
{
    window.unsetCursor();
}

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

SidePanels::SidePanels(Main& main) : HandlerGroup(main)
{
    connect(m.imgCF, &PictureBox::clicked, this, &SidePanels::imgCF_Click);
    connect(m.imgCM, &PictureBox::clicked, this, &SidePanels::imgCM_Click);
    connect(m.imgCT, &PictureBox::clicked, this, &SidePanels::imgCT_Click);
    connect(m.imgFC, &PictureBox::clicked, this, &SidePanels::imgFC_Click);
    connect(m.imgFM, &PictureBox::clicked, this, &SidePanels::imgFM_Click);
    connect(m.imgFT, &PictureBox::clicked, this, &SidePanels::imgFT_Click);
    connect(m.imgMC, &PictureBox::clicked, this, &SidePanels::imgMC_Click);
    connect(m.imgMF, &PictureBox::clicked, this, &SidePanels::imgMF_Click);
    connect(m.imgMT, &PictureBox::clicked, this, &SidePanels::imgMT_Click);
    connect(m.imgTC, &PictureBox::clicked, this, &SidePanels::imgTC_Click);
    connect(m.imgTM, &PictureBox::clicked, this, &SidePanels::imgTM_Click);
    connect(m.imgFS, &PictureBox::clicked, this, &SidePanels::imgFS_Click);
    connect(m.CWButton18, &CwButton::valueChanged, this, &SidePanels::CWButton18_ValueChanged);
    connect(m.CWButton26, &CwButton::valueChanged, this, &SidePanels::CWButton26_ValueChanged);
    connect(m.Image1, &PictureBox::mouseMoved, this, &SidePanels::Image1_MouseMove);
    connect(m.picCursor, &PictureBox::mouseMoved, this, &SidePanels::picCursor_MouseMove);
    connect(m.picFile, &PictureBox::mouseMoved, this, &SidePanels::picFile_MouseMove);
    connect(m.picMeasure, &PictureBox::mouseMoved, this, &SidePanels::picMeasure_MouseMove);
    connect(m.picTrigger, &PictureBox::mouseMoved, this, &SidePanels::picTrigger_MouseMove);
    connect(m.Picture4, &PictureBox::mouseMoved, this, &SidePanels::Picture4_MouseMove);
    for (PictureBox* surface :
         {m.Image1, m.picCursor, m.picFile, m.picMeasure, m.picTrigger, m.Picture4})
        trackMouseOver(surface);
    // The window's background: mouse moves that no control takes reach the central widget, also
    // those over the captions that stand on it.
    if (QWidget* face = m.centralWidget()) {
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
    return HandlerGroup::eventFilter(watched, event);
}

void SidePanels::switchPage(PictureBox* current, PictureBox* target)
{
    target->setVisible(true);
    current->setVisible(false);
}

void SidePanels::imgCF_Click()
{
    switchPage(m.picCursor, m.picFile);
}
void SidePanels::imgCM_Click()
{
    switchPage(m.picCursor, m.picMeasure);
}
void SidePanels::imgCT_Click()
{
    switchPage(m.picCursor, m.picTrigger);
}
void SidePanels::imgFC_Click()
{
    switchPage(m.picFile, m.picCursor);
}
void SidePanels::imgFM_Click()
{
    switchPage(m.picFile, m.picMeasure);
}
void SidePanels::imgFT_Click()
{
    switchPage(m.picFile, m.picTrigger);
}
void SidePanels::imgMC_Click()
{
    switchPage(m.picMeasure, m.picCursor);
}
void SidePanels::imgMF_Click()
{
    switchPage(m.picMeasure, m.picFile);
}
void SidePanels::imgMT_Click()
{
    switchPage(m.picMeasure, m.picTrigger);
}
void SidePanels::imgTC_Click()
{
    switchPage(m.picTrigger, m.picCursor);
}
void SidePanels::imgTM_Click()
{
    switchPage(m.picTrigger, m.picMeasure);
}
void SidePanels::imgFS_Click()
{
    switchPage(m.picTrigger, m.picFile);
}

void SidePanels::CWButton18_ValueChanged(bool value)
{
    if (!value)
        return;
    // Acquisition stops before the panel, where the settings buttons stand, comes up.
    m.CWButton1->setValue(false);
    m.Options->setVisible(true);
    m.CWButton1->setValue(false);
    m.CheckCOM->setEnabled(true);
    m.lblSearchPort->setText(QString());
    m.btnSelectCOMPort->setOnText(QString());
    m.btnSelectCOMPort->setOffText(QString());
}

void SidePanels::CWButton26_ValueChanged(bool)
{
    m.Options->setVisible(false);
    m.CheckCOM->setEnabled(true);
    m.btnSearchCOMPort->setVisible(false);
    m.Label4->setVisible(true);
    m.btnSelectCOMPort->setVisible(false);
}

void SidePanels::Form_MouseMove()
{
    restoreDefaultPointer(m);
}
void SidePanels::Image1_MouseMove()
{
    restoreDefaultPointer(m);
}
void SidePanels::picCursor_MouseMove()
{
    restoreDefaultPointer(m);
}
void SidePanels::picFile_MouseMove()
{
    restoreDefaultPointer(m);
}
void SidePanels::picMeasure_MouseMove()
{
    restoreDefaultPointer(m);
}
void SidePanels::picTrigger_MouseMove()
{
    restoreDefaultPointer(m);
}
void SidePanels::Picture4_MouseMove()
{
    restoreDefaultPointer(m);
}

} // namespace kv
