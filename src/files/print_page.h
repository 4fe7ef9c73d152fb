#pragma once

// The print page frmPrint: a picture of the graph and the read-outs of the display, printed and
// shown as the print preview. The captions come from ComposePrintPage, a pure function of the
// main window's read-outs.

#include "files/layer.h"
#include "files/rules/print_page_texts.h"

#include <QFont>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <QWidget>
#include <utility>
#include <vector>

class QPaintDevice;

class QLabel;

namespace kv {

class PictureBox;

// The page's font: "Trebuchet MS" where it is installed, else the first installed of a few
// faces of similar width, else the system's own.
QString PrintPageFontFamily();

// font at its own size, or at the largest size below it (in quarter points, down to 4 points)
// at which text fits into box on device (the screen when null): its advance within the width,
// its line within the height.
QFont FittedFont(QFont font, const QString& text, const QSizeF& box,
                 const QPaintDevice* device = nullptr);

// The page: a window captioned "Print Preview", 681 x 675 pixels (10215 x 10125 twips), with
// the graph's picture and 17 labels in PrintPageFontFamily(): the channel titles at up to 20.25
// points, the other labels at up to 12, each group at the largest size at which its widest
// texts fit. Every label and the picture lie on the page, none over another.
class frmPrint : public QWidget
{
    Q_OBJECT

  public:
    explicit frmPrint(QWidget* parent = nullptr);

    static constexpr int ClientWidth = 681;
    static constexpr int ClientHeight = 675;

    void setTexts(const PrintPageTexts& texts);
    void setGraphPicture(const QImage& picture);
    // Paints the page at its own size (15 twips a pixel at 96 DPI), or smaller to fit into
    // `page`, onto a printer: the picture and the labels' texts in their fonts, as text.
    void printOnto(class QPainter& painter, const QRect& page, int deviceDpi);
    // The 17 labels.
    std::vector<QLabel*> labels() const;

    PictureBox* Picture1 = nullptr;
    QLabel* lblcur1T = nullptr;
    QLabel* lblcur2t = nullptr;
    QLabel* lblcurDT = nullptr;
    QLabel* lblcurFreq = nullptr;
    QLabel* lblcur1V = nullptr;
    QLabel* lblcur2V = nullptr;
    QLabel* lblcurDV = nullptr;
    QLabel* lblTrg = nullptr;
    QLabel* lblAcq = nullptr;
    QLabel* lblCH1 = nullptr;
    QLabel* lblVlt = nullptr;
    QLabel* lblRMS = nullptr;
    QLabel* lblFeq = nullptr;
    QLabel* lblCH2 = nullptr;
    QLabel* lblVlt2 = nullptr;
    QLabel* lblRMS2 = nullptr;
    QLabel* lblFeq2 = nullptr;

  private:
    QLabel* label(const char* name, int left, int top, int width, int height, double points = 12.0);
    // Gives each group of labels the largest size at which the widest texts fit.
    void fitFonts();

    // Each label's font as fitted; a text wider than the widest foreseen shrinks from it.
    std::vector<std::pair<QLabel*, QFont>> fonts_;
};

} // namespace kv
