#include "app/edge_slides.h"
#include "app/main_window.h"
#include "app/rules/face_scale.h"
#include "controls/cw_button.h"
#include "controls/cw_color.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/cw_timer.h"
#include "controls/picture_box.h"
#include "files/rules/export_layouts.h"
#include "platform/services.h"
#include "state/colours.h"
#include "state/names.h"
#include "state/timebase_table.h"
#include "state/voltsdiv_table.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>

namespace kv {

namespace {

// The face's geometry: a fixed window like an instrument.
constexpr int FaceWidth = 1000;
constexpr int FaceHeight = 590;
constexpr QRect PlotArea{8, 8, 636, 456};     // graph with its edge slides and view slider
constexpr QRect StatusArea{8, 470, 636, 112}; // read-out strip
constexpr QRect PageArea{652, 282, 340, 300}; // side-panel pages
constexpr QRect PageHeading{8, 30, 200, 16};  // a page's heading, under its tabs
constexpr int LedOff = colour::DarkGreen;
// The graph's Y axis in its full view: graph units, 50 a division.
constexpr double GraphYMinimum = -200;
constexpr double GraphYMaximum = 200;

// The rectangle a control has in the 16-pixel layout, kept so that the face can be scaled.
const char* const DesignRect = "designRect";

void place(QWidget* widget, const QRect& geometry)
{
    widget->setProperty(DesignRect, geometry);
    widget->setGeometry(geometry);
}

template <class W> W* named(W* widget, const char* name, const QRect& geometry)
{
    widget->setObjectName(QString::fromLatin1(name));
    place(widget, geometry);
    return widget;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, const QRect& geometry,
              const QString& tip = {})
{
    auto* l = named(new QLabel(text, parent), name, geometry);
    l->setToolTip(tip);
    return l;
}

// A heading, drawn in the face's title style.
QLabel* heading(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    QLabel* l = label(parent, name, text, geometry);
    l->setProperty("title", true);
    return l;
}

PictureBox* clickLabel(QWidget* parent, const char* name, const QString& text,
                       const QRect& geometry, const QString& tip = {})
{
    auto* l = named(new PictureBox(text, parent), name, geometry);
    l->setToolTip(tip);
    return l;
}

// A read-out: a small caption above a framed value label.
QLabel* readout(QWidget* parent, const char* name, const QString& caption, const QRect& geometry,
                const QString& tip)
{
    auto* c = new QLabel(caption, parent);
    c->setProperty("caption", true);
    place(c, {geometry.x(), geometry.y(), geometry.width(), 12});
    auto* value = label(parent, name, {}, geometry.adjusted(0, 12, 0, 0), tip);
    value->setProperty("readout", true);
    value->setAlignment(Qt::AlignCenter);
    return value;
}

CwButton* button(QWidget* parent, const char* name, CwButton::Style style, const QString& caption,
                 const QRect& geometry, const QString& tip = {})
{
    auto* b = named(new CwButton(style, parent), name, geometry);
    b->setCaption(caption);
    b->setToolTip(tip);
    return b;
}

CwButton* led(QWidget* parent, const char* name, CwButton::Style style, const QRect& geometry,
              const QString& tip = {})
{
    auto* b = button(parent, name, style, {}, geometry, tip);
    b->setIndicator(true);
    b->setOffColor(LedOff);
    b->setOnColor(colour::Green);
    return b;
}

CwSlide* selector(QWidget* parent, const char* name, const QStringList& positions,
                  const QRect& geometry, const QString& tip)
{
    auto* s = named(new CwSlide(Qt::Vertical, parent), name, geometry);
    s->setPositions(positions);
    s->setToolTip(tip);
    return s;
}

PictureBox* page(QWidget* parent, const char* name)
{
    auto* p = named(new PictureBox(parent), name, PageArea);
    p->setFaceColor(0x2C2724);
    p->setProperty("page", true);
    return p;
}

// Three tab images along the top of a page, each naming its target page.
void tabs(QWidget* page, PictureBox*& a, const char* nameA, const QString& textA, PictureBox*& b,
          const char* nameB, const QString& textB, PictureBox*& c, const char* nameC,
          const QString& textC)
{
    a = clickLabel(page, nameA, textA, {4, 4, 108, 22});
    b = clickLabel(page, nameB, textB, {116, 4, 108, 22});
    c = clickLabel(page, nameC, textC, {228, 4, 108, 22});
    for (PictureBox* tab : {a, b, c}) {
        tab->setAlignment(Qt::AlignCenter);
        tab->setProperty("tab", true);
        tab->setCursor(Qt::PointingHandCursor);
    }
}

} // namespace

void Main::buildFace()
{
    auto* face = new PictureBox(this);
    face->setObjectName(QStringLiteral("face"));
    face->setFaceColor(face::Background);
    face->setAutoFillBackground(true);
    face->setMouseTracking(true);
    setCentralWidget(face);
    buildPlotArea(face);
    buildStatusStrip(face);
    buildRightColumn(face);
    buildCursorPage();
    buildMeasurePage();
    buildTriggerPage();
    buildFilePage();
    buildOptionsPanel(face);
    picMeasure->setVisible(false);
    picTrigger->setVisible(false);
    picFile->setVisible(false);
    designCursorsOff();

    // Never shown; its tool tip carries the product's web address.
    Image1 = clickLabel(face, "Image1", {}, {0, 0, 1, 1}, QString::fromLatin1(kWorksheetFooter));
    Image1->setVisible(false);
    Label3 = label(face, "Label3", {}, {0, 0, 1, 1});
    Label3->setVisible(false);
}

// Start-up hides cursors A and B: the cursor-style slide is designed at "OFF" with the look that
// style gives (placement and snap controls out of use, no cursor read-outs), so slide, cursors
// and read-outs agree from the first moment and a click on another style takes effect.
void Main::designCursorsOff()
{
    GraphMode->setPosition(4);
    for (QWidget* w : std::initializer_list<QWidget*>{CWSlide2, btnAPOS, btnBPOS})
        w->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{lblXpos, lblXPos2, lblXDelta, lblYPos,
                                                      lblYpos2, lblYDelta, lblFRQMain, ImgINF})
        w->setVisible(false);
}

void Main::scaleFace()
{
    // What the window adds to the face: the menu bar, and room for a title bar and borders.
    const int textHeight = sysDetectOS.desktopTextHeight();
    const QSize chrome(textHeight / 2, menuBar()->sizeHint().height() + 2 * textHeight);
    faceScale_ = FaceScale(textHeight, {FaceWidth, FaceHeight}, chrome, sysDetectOS.workArea());
    QWidget* face = centralWidget();
    for (QWidget* control : face->findChildren<QWidget*>()) {
        const QVariant design = control->property(DesignRect);
        if (design.isValid())
            control->setGeometry(ScaledRect(design.toRect(), faceScale_));
    }
    face->setStyleSheet(FaceStyleSheet(faceScale_));
    // A fixed window: the face's size plus the menu bar.
    face->setFixedSize(ScaledPixels(FaceWidth, faceScale_), ScaledPixels(FaceHeight, faceScale_));
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void Main::buildPlotArea(QWidget* face)
{
    const int x = PlotArea.x(), y = PlotArea.y();
    const int graphHeight = 420;
    CWSlide4 = named(new CwSlide(Qt::Vertical, face), "CWSlide4", {x, y, 36, graphHeight});
    CWSlide4->setToolTip(QStringLiteral("Sets vertical position"));
    CWSlide4->setInverted(true);
    CWSlide4->setAxisMinimum(-200);
    CWSlide4->setAxisMaximum(200);
    CWSlide4->setPointerName(1, names::VCH1);
    CWSlide4->setPointerColor(1, colour::Blue);
    CWSlide4->addPointer(names::VCH2, 0.0, colour::Red);
    CWSlide4->addPointer(names::VREF1, 0.0, 0x00C0FF);

    CWGraph1 = named(new CwGraph(face), "CWGraph1", {x + 38, y, 560, graphHeight});
    CWGraph1->setToolTip(QStringLiteral("Plot Area: Right click for menu"));
    CWGraph1->addPlot(names::PCH1, colour::Blue);
    CWGraph1->addPlot(names::PCH2, colour::Red);
    CWGraph1->addPlot(names::PREF1, 0x00C0FF);
    CWGraph1->setPlotVisible(names::PREF1, false);
    CWGraph1->setAxisMinMax(CwGraph::XAxis, 500, 1000);
    CWGraph1->setYAxisDownward(true);
    CWGraph1->setAxisMinMax(CwGraph::YAxis, GraphYMinimum, GraphYMaximum);

    CWSlide3 = named(new CwSlide(Qt::Vertical, face), "CWSlide3", {x + 600, y, 36, graphHeight});
    CWSlide3->setToolTip(QStringLiteral("Sets trigger position"));
    CWSlide3->setInverted(true);
    CWSlide3->setAxisMinimum(-200);
    CWSlide3->setAxisMaximum(201);
    CWSlide3->setPointerColor(1, colour::Blue);
    CWSlide3->addPointer(QStringLiteral("Pointer-2"), 0.0, colour::Red);
    CWSlide3->setPointerVisible(2, false);
    // Both slides are in graph units: their pointers point at the graph's rows.
    new EdgeSlides(*CWGraph1, GraphYMinimum, GraphYMaximum, {CWSlide4, CWSlide3}, this);

    const int ry = y + graphHeight + 4;
    CWButton29 = button(face, "CWButton29", CwButton::Style::PushButton, QStringLiteral("<"),
                        {x + 38, ry, 30, 28}, QStringLiteral("Moves horizontal trigger left"));
    CWSlide6 = named(new CwSlide(Qt::Horizontal, face), "CWSlide6", {x + 72, ry, 492, 28});
    CWSlide6->setToolTip(QStringLiteral("Changes horizontal viewing area"));
    CWSlide6->setAxisMinimum(40);
    CWSlide6->setAxisMaximum(1460);
    CWSlide6->setPointerValue(1, 750);
    CWSlide6->addPointer(QStringLiteral("Pointer-2"), 750, 0x00C0FF);
    CWButton30 = button(face, "CWButton30", CwButton::Style::PushButton, QStringLiteral(">"),
                        {x + 568, ry, 30, 28}, QStringLiteral("Moves horizontal trigger right"));

    Picture3 = named(new PictureBox(face), "Picture3", {x + 38, y, 560, graphHeight});
    Picture3->setVisible(false);
    lblVREF = label(CWGraph1, "lblVREF", {}, {40, 6, 120, 16});
    lblHREF = label(CWGraph1, "lblHREF", {}, {164, 6, 120, 16});
    lblVREF->setVisible(false);
    lblHREF->setVisible(false);
}

void Main::buildStatusStrip(QWidget* face)
{
    Picture4 = named(new PictureBox(face), "Picture4", StatusArea);
    Picture4->setToolTip(QStringLiteral("Displays current status"));
    Picture4->setFaceColor(0x2C2724);
    Picture4->setMouseTracking(true);
    QWidget* s = Picture4;

    // Row 1: channels, sample rate, trigger.
    CWButton22 =
        button(s, "CWButton22", CwButton::Style::PushButton, QStringLiteral("CH1"), {6, 8, 40, 24});
    PeriodVAL = readout(s, "PeriodVAL", QStringLiteral("CH1 V/div"), {50, 4, 70, 30},
                        QStringLiteral("CH1 amplitude"));
    CWButton25 = button(s, "CWButton25", CwButton::Style::PushButton, QStringLiteral("CH2"),
                        {126, 8, 40, 24});
    PeriodVAL2 = readout(s, "PeriodVAL2", QStringLiteral("CH2 V/div"), {170, 4, 70, 30},
                         QStringLiteral("CH2 amplitude"));
    for (CwButton* b : {CWButton22, CWButton25}) {
        b->setIndicator(true);
        b->setVisible(false);
    }
    TimeVal = readout(s, "TimeVal", QStringLiteral("Sample rate"), {246, 4, 92, 30},
                      QStringLiteral("Current sample rate"));
    CWButton21 = button(s, "CWButton21", CwButton::Style::PushButton, QStringLiteral("CH1"),
                        {344, 8, 40, 24}, QStringLiteral("Trigger source"));
    CWButton21->setIndicator(true);
    ImgRiseing = clickLabel(s, "ImgRiseing", QStringLiteral("\u2191"), {388, 8, 20, 24},
                            QStringLiteral("Trigger edge"));
    ImgFalling = clickLabel(s, "ImgFalling", QStringLiteral("\u2193"), {388, 8, 20, 24},
                            QStringLiteral("Trigger edge"));
    ImgFalling->setVisible(false);
    for (PictureBox* img : {ImgRiseing, ImgFalling})
        img->setProperty("edgeSymbol", true);
    lblTrg = readout(s, "lblTrg", QStringLiteral("Trigger"), {412, 4, 70, 30},
                     QStringLiteral("Trigger voltage"));
    labSetHTrg = label(s, "labSetHTrg", QStringLiteral("xx% Trigger"), {488, 16, 76, 16},
                       QStringLiteral("Horizontal trigger position"));
    LEDATT1b = led(s, "LEDATT1b", CwButton::Style::RoundLed, {570, 14, 16, 16},
                   QStringLiteral("40V Attenuation Indicator"));
    LEDATT2b = led(s, "LEDATT2b", CwButton::Style::RoundLed, {592, 14, 16, 16},
                   QStringLiteral("40V Attenuation Indicator"));

    // Row 2: measurements of the selected trace.
    CHDISP = button(s, "CHDISP", CwButton::Style::PushButton, QStringLiteral("CH1"),
                    {6, 44, 40, 24}, QStringLiteral("Measured channel"));
    CHDISP->setIndicator(true);
    struct Meas
    {
        QLabel** target;
        const char* name;
        const char* caption;
        const char* tip;
    };
    const Meas meas[] = {
        {&lblMAX, "lblMAX", "Max", "Maximum"},      {&lblMIN, "lblMIN", "Min", "Minimum"},
        {&lblP2P, "lblP2P", "P-P", "Peak to Peak"}, {&lblRMS, "lblRMS", "RMS", "true RMS"},
        {&lblMnn, "lblMnn", "Mean", "Mean"},        {&lblPrd, "lblPrd", "Period", "Period"},
        {&lblFrq, "lblFrq", "Freq", "Frequency"},
    };
    int mx = 50;
    for (const Meas& m : meas) {
        *m.target = readout(s, m.name, QString::fromLatin1(m.caption), {mx, 40, 78, 30},
                            QString::fromLatin1(m.tip));
        mx += 82;
    }

    // Row 3: cursor read-outs.
    CWButton24 = led(s, "CWButton24", CwButton::Style::SquareLed, {6, 84, 16, 16},
                     QStringLiteral("Cursor A color"));
    CWButton23 = led(s, "CWButton23", CwButton::Style::SquareLed, {26, 84, 16, 16},
                     QStringLiteral("Cursor B color"));
    const Meas cursors[] = {
        {&lblXpos, "lblXpos", "A time", "Cursor A time"},
        {&lblYPos, "lblYPos", "A amplitude", "Cursor A amplitude"},
        {&lblXPos2, "lblXPos2", "B time", "Cursor B time"},
        {&lblYpos2, "lblYpos2", "B amplitude", "Cursor B amplitude"},
        {&lblXDelta, "lblXDelta", "\u0394 time", "Time delta"},
        {&lblYDelta, "lblYDelta", "\u0394 amplitude", "Amplitude delta"},
        {&lblFRQMain, "lblFRQMain", "1/\u0394t", "Cursor frequency"},
    };
    mx = 50;
    for (const Meas& m : cursors) {
        *m.target = readout(s, m.name, QString::fromUtf8(m.caption), {mx, 76, 78, 30},
                            QString::fromLatin1(m.tip));
        mx += 82;
    }
    lblXDelta->setText(QStringLiteral("X Delta"));
    lblYDelta->setText(QStringLiteral("Y Delta"));
    ImgINF = clickLabel(s, "ImgINF", QStringLiteral("\u221E"), {mx - 80, 90, 74, 16});
    ImgINF->setAlignment(Qt::AlignCenter);
    ImgINF->setVisible(false);
}

void Main::buildRightColumn(QWidget* face)
{
    CWKnob2 = named(new CwKnob(face), "CWKnob2", {650, 2, 180, 182});
    QStringList timeDivLabels;
    for (const TimebaseRow& row : TimebaseTable)
        timeDivLabels << QString::fromLatin1(row.label);
    CWKnob2->setPositions(timeDivLabels);
    CWKnob2->setToolTip(QStringLiteral("Adjusts horizontal divisions for CH1 and CH2"));
    CWKnob1 = named(new CwKnob(face), "CWKnob1", {832, 2, 162, 182});
    QStringList voltsDivLabels;
    QVector<double> voltsPerDiv;
    for (const VoltsDivRow& row : VoltsDivTable) {
        voltsDivLabels << QString::fromLatin1(row.label);
        voltsPerDiv << row.voltsPerDiv;
    }
    CWKnob1->setPositions(voltsDivLabels, voltsPerDiv);
    CWKnob1->setToolTip(QStringLiteral("Adjusts vertical divisions for CH1 or CH2"));
    label(face, "lblTimeDiv", QStringLiteral("TIME/DIV"), {700, 184, 80, 16})
        ->setAlignment(Qt::AlignCenter);
    label(face, "lblVoltsDiv", QStringLiteral("VOLTS/DIV"), {872, 184, 80, 16})
        ->setAlignment(Qt::AlignCenter);

    using S = CwButton::Style;
    CH1Button = button(face, "CH1Button", S::PushButton, QStringLiteral("CH1"), {652, 200, 64, 30},
                       QStringLiteral("Selects channel 1"));
    LED1 = led(face, "LED1", S::SquareLed, {720, 208, 14, 14},
               QStringLiteral("Green: Channel 1 is ON and selected  Yellow: Channel 1 is ON but "
                              "not selected  Dark Green: Channel 1 is OFF"));
    CH2Button = button(face, "CH2Button", S::PushButton, QStringLiteral("CH2"), {742, 200, 64, 30},
                       QStringLiteral("Selects channel 2"));
    LED2 = led(face, "LED2", S::SquareLed, {810, 208, 14, 14});
    REF1Button =
        button(face, "REF1Button", S::PushButton, QStringLiteral("REF"), {832, 200, 64, 30},
               QStringLiteral("Double-click to select a reference waveform"));
    LED5 = led(face, "LED5", S::SquareLed, {900, 208, 14, 14});
    CWButton8 = button(face, "CWButton8", S::PushButton, QStringLiteral("OFF"), {922, 200, 70, 30},
                       QStringLiteral("Switches OFF selected channel"));

    FFTbutton = button(face, "FFTbutton", S::PushButton, QStringLiteral("FFT"), {652, 240, 90, 34},
                       QStringLiteral("Switches to FFT view"));
    CWButton1 =
        button(face, "CWButton1", S::LightPushButton, QStringLiteral("RUN/STOP"),
               {750, 240, 242, 34}, QStringLiteral("Acquires and stops acquiring data  [Ctrl+R]"));
    CWButton1->setOnColor(colour::Green);
    CWButton1->setOffColor(0x0000A0);
}

void Main::buildCursorPage()
{
    picCursor = page(centralWidget(), "picCursor");
    QWidget* p = picCursor;
    tabs(p, imgCF, "imgCF", QStringLiteral("Files"), imgCM, "imgCM", QStringLiteral("Measure"),
         imgCT, "imgCT", QStringLiteral("Trigger"));
    heading(p, "lblCursorTitle", QStringLiteral("CURSORS"), PageHeading);
    GraphMode = selector(p, "GraphMode", {"Horizontal Bars", "Vertical Bars", "Paired Bars", "OFF"},
                         {8, 50, 150, 110}, QStringLiteral("Selects cursor type"));
    CWSlide2 = selector(p, "CWSlide2", {" Snap to Plot", "Floating"}, {170, 46, 160, 52},
                        QStringLiteral("Sets cursor action"));
    CWSlide7 = selector(p, "CWSlide7", {" Zoom", "Pan", "Cursors"}, {170, 122, 160, 76},
                        QStringLiteral("Changes mouse action inside plot area"));
    // Designed at "Cursors": start-up puts the graph in cursor dragging and leaves the slide's
    // handler unrun, so the slide shows from the first moment what a drag does.
    CWSlide7->setPosition(3);
    using S = CwButton::Style;
    ZoomOut = button(p, "ZoomOut", S::PushButton, QStringLiteral("Zoom Out"), {8, 204, 100, 28},
                     QStringLiteral("Zooms out and resets plot(s)"));
    Autoscale =
        button(p, "Autoscale", S::LightPushButton, QStringLiteral("Autoscale"), {116, 204, 100, 28},
               QStringLiteral("Toggles between 500 and 1500 horizontal records"));
    const QString placeNote = QStringLiteral(" to be placed on plot.  Note: Click button then "
                                             "click desired area on plot to place cursor.");
    btnAPOS = button(p, "btnAPOS", S::PushButton, QStringLiteral("Place A"), {8, 240, 100, 26},
                     QStringLiteral("Selects Cursor A") + placeNote);
    btnBPOS = button(p, "btnBPOS", S::PushButton, QStringLiteral("Place B"), {116, 240, 100, 26},
                     QStringLiteral("Selects Cursor B") + placeNote);
    CWButton5 = button(p, "CWButton5", S::PushButton, QStringLiteral("Color A"), {8, 270, 100, 26},
                       QStringLiteral("Changes cursor A color"));
    CWButton6 = button(p, "CWButton6", S::PushButton, QStringLiteral("Color B"),
                       {116, 270, 100, 26}, QStringLiteral("Changes cursor B color"));
}

void Main::buildMeasurePage()
{
    picMeasure = page(centralWidget(), "picMeasure");
    QWidget* p = picMeasure;
    tabs(p, imgMF, "imgMF", QStringLiteral("Files"), imgMC, "imgMC", QStringLiteral("Cursors"),
         imgMT, "imgMT", QStringLiteral("Trigger"));
    heading(p, "lblMeasureTitle", QStringLiteral("MEASUREMENTS"), PageHeading);
    label(p, "lblMeasCH1", QStringLiteral("CH1"), {110, 50, 100, 16})
        ->setAlignment(Qt::AlignCenter);
    label(p, "lblMeasCH2", QStringLiteral("CH2"), {224, 50, 100, 16})
        ->setAlignment(Qt::AlignCenter);
    struct Row
    {
        QLabel** ch1;
        const char* name1;
        QLabel** ch2;
        const char* name2;
        const char* tip;
    };
    const Row rows[] = {
        {&Max1, "Max1", &Max2, "Max2", "Maximum"},      {&Min1, "Min1", &Min2, "Min2", "Minimum"},
        {&P2P1, "P2P1", &P2P2, "P2P2", "Peak to Peak"}, {&RMS1, "RMS1", &RMS2, "RMS2", "true RMS"},
        {&Mean1, "Mean1", &Mean2, "Mean2", "Mean"},     {&Prd1, "Prd1", &Prd2, "Prd2", "Period"},
        {&Frq1, "Frq1", &Frq2, "Frq2", "Frequency"},
    };
    int y = 68;
    for (const Row& r : rows) {
        const QString tip = QString::fromLatin1(r.tip);
        label(p, "", tip, {8, y, 98, 26});
        *r.ch1 = label(p, r.name1, {}, {110, y, 100, 26}, tip);
        *r.ch2 = label(p, r.name2, {}, {224, y, 100, 26}, tip);
        for (QLabel* value : {*r.ch1, *r.ch2}) {
            value->setProperty("readout", true);
            value->setAlignment(Qt::AlignCenter);
        }
        y += 32;
    }
}

void Main::buildTriggerPage()
{
    picTrigger = page(centralWidget(), "picTrigger");
    QWidget* p = picTrigger;
    tabs(p, imgTC, "imgTC", QStringLiteral("Cursors"), imgTM, "imgTM", QStringLiteral("Measure"),
         imgFS, "imgFS", QStringLiteral("Files"));
    heading(p, "lblTriggerTitle", QStringLiteral("TRIGGER"), PageHeading);
    CWSlide5 = selector(p, "CWSlide5", {"Channel 1", "Channel 2", "External"}, {8, 52, 140, 90},
                        QStringLiteral("Selects trigger source"));
    using S = CwButton::Style;
    CWButton12 = button(p, "CWButton12", S::VerticalSwitch, {}, {190, 52, 30, 50},
                        QStringLiteral("Selects trigger edge"));
    Label19 = clickLabel(p, "Label19", QStringLiteral("Rising"), {226, 52, 100, 16});
    Label20 = clickLabel(p, "Label20", QStringLiteral("Falling"), {226, 86, 100, 16});
    CWButton13 = button(p, "CWButton13", S::VerticalSwitch, {}, {190, 124, 30, 50},
                        QStringLiteral("Selects trigger mode"));
    Label18 = clickLabel(p, "Label18", QStringLiteral("Auto "), {226, 124, 100, 16});
    Label21 = clickLabel(p, "Label21", QStringLiteral("Normal"), {226, 158, 100, 16});
    heading(p, "lblAcqTitle", QStringLiteral("ACQUISITION"), {8, 196, 200, 16});
    CWButton4 = button(p, "CWButton4", S::VerticalSwitch, {}, {12, 220, 30, 60},
                       QStringLiteral("Selects acquisition mode"));
    // The switch is on (lever up) for single acquisition.
    Label16 = clickLabel(p, "Label16", QStringLiteral("Single Acquisition"), {50, 220, 200, 16});
    Label15 =
        clickLabel(p, "Label15", QStringLiteral("Continuous Acquisition"), {50, 264, 200, 16});
}

void Main::buildFilePage()
{
    picFile = page(centralWidget(), "picFile");
    QWidget* p = picFile;
    tabs(p, imgFT, "imgFT", QStringLiteral("Trigger"), imgFM, "imgFM", QStringLiteral("Measure"),
         imgFC, "imgFC", QStringLiteral("Cursors"));
    heading(p, "lblFileTitle", QStringLiteral("FILES"), PageHeading);
    using S = CwButton::Style;
    CWButton3 = button(p, "CWButton3", S::VerticalSwitch, QStringLiteral("POWER"), {12, 54, 40, 70},
                       QStringLiteral("Exits Kestrovue  [Ctrl+E]"));
    CWButton14 = led(p, "CWButton14", S::RoundLed, {60, 58, 16, 16});
    CWButton14->setOffColor(colour::LampGreen);
    CWButton15 =
        button(p, "CWButton15", S::PushButton, QStringLiteral("Export Picture"), {100, 54, 112, 28},
               QStringLiteral("Saves the plot(s) as a *.bmp file  [Crtl+S]"));
    CWButton2 =
        button(p, "CWButton2", S::PushButton, QStringLiteral("Export Data"), {220, 54, 112, 28},
               QStringLiteral("Saves the plot(s) as a *.xls or a *.csv file  [Ctrl+D]"));
    CWButton17 = button(p, "CWButton17", S::PushButton, QStringLiteral("Print"), {100, 90, 112, 28},
                        QStringLiteral("Prints current plot(s)  [Ctrl+P]"));
    CWButton19 = button(p, "CWButton19", S::PushButton, QStringLiteral("Preview"),
                        {220, 90, 112, 28}, QStringLiteral("Opens print preview window"));
    CWButton18 = button(p, "CWButton18", S::PushButton, QStringLiteral("Oscilloscope settings"),
                        {100, 140, 232, 30}, QStringLiteral("Opens settings window  [F12]"));
    Label5 =
        label(p, "Label5", QStringLiteral("Save reference waveform (*.rfw)"), {8, 196, 300, 16});
    SaveREFCH1 = button(p, "SaveREFCH1", S::PushButton, QStringLiteral("CH1"), {8, 218, 100, 28},
                        QStringLiteral("Saves CH1 reference waveform as a *.rfw file"));
    SaveREFCH2 = button(p, "SaveREFCH2", S::PushButton, QStringLiteral("CH2"), {116, 218, 100, 28},
                        QStringLiteral("Saves CH2 reference waveform as a *.rfw file"));
}

void Main::buildOptionsPanel(QWidget* face)
{
    Options = named(new PictureBox(face), "Options", PlotArea);
    Options->setFaceColor(0x2C2724);
    Options->setVisible(false);
    QWidget* o = Options;
    heading(o, "lblOptionsTitle", QStringLiteral("OSCILLOSCOPE SETTINGS"), {12, 6, 300, 18});
    using S = CwButton::Style;

    Frame4 =
        named(new QGroupBox(QStringLiteral("Global Settings"), o), "Frame4", {12, 28, 300, 180});
    CWButton27 =
        button(Frame4, "CWButton27", S::PushButton, QStringLiteral("Load Default Settings"),
               {16, 28, 268, 36}, QStringLiteral("Loads default settings"));
    CWButton28 = button(Frame4, "CWButton28", S::PushButton, QStringLiteral("Load  Settings"),
                        {16, 76, 268, 36}, QStringLiteral("Loads previously saved settings  [F2]"));
    CWButton20 = button(Frame4, "CWButton20", S::PushButton, QStringLiteral("Save  Settings"),
                        {16, 124, 268, 36}, QStringLiteral("Saves current settings  [F4]"));

    Frame3 =
        named(new QGroupBox(QStringLiteral("COM Port Settings"), o), "Frame3", {324, 28, 300, 228});
    Label1 = label(Frame3, "Label1", QStringLiteral("Selected COM Port:"), {12, 26, 120, 20});
    COMCombo = named(new QComboBox(Frame3), "COMCombo", {136, 24, 70, 24});
    COMCombo->setEditable(true);
    COMCombo->setInsertPolicy(QComboBox::NoInsert);
    COMCombo->setToolTip(QStringLiteral("Selects USB COM port"));
    CWButton7 = led(Frame3, "CWButton7", S::RoundLed, {216, 26, 20, 20},
                    QStringLiteral("Connection indicator"));
    CWButton7->setOffColor(colour::LampRed);
    Label2 = label(Frame3, "Label2", QStringLiteral("GREEN-Connected RED-Not Connected"),
                   {12, 54, 280, 16});
    Image2 = clickLabel(Frame3, "Image2", QStringLiteral("USB"), {12, 78, 44, 36});
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setFaceColor(0x3C342E);
    btnSearchCOMPort = button(Frame3, "btnSearchCOMPort", S::PushButton,
                              QStringLiteral("Search for Kestrovue COM Port"), {64, 78, 224, 30});
    btnSearchCOMPort->setVisible(false);
    Label4 = label(Frame3, "Label4",
                   QStringLiteral("Tip:  Be sure to set the COM port that was assigned to the "
                                  "hardware during the driver installation."),
                   {64, 76, 228, 64});
    Label4->setWordWrap(true);
    lblSearchPort = label(Frame3, "lblSearchPort", {}, {12, 148, 280, 32});
    lblSearchPort->setWordWrap(true);
    btnSelectCOMPort = button(Frame3, "btnSelectCOMPort", S::PushButton, {}, {12, 184, 276, 30});
    btnSelectCOMPort->setVisible(false);

    Frame2 = named(new QGroupBox(QStringLiteral("40 Volt Attenuation"), o), "Frame2",
                   {12, 216, 300, 100});
    CH1ATT = button(Frame2, "CH1ATT", S::PushButton, QStringLiteral("CH1 Attenuation"),
                    {16, 26, 200, 28}, QStringLiteral("CH1 40V Attenuation"));
    LEDATT1 = led(Frame2, "LEDATT1", S::SquareLed, {228, 32, 16, 16});
    CH2ATT = button(Frame2, "CH2ATT", S::PushButton, QStringLiteral("CH2 Attenuation"),
                    {16, 62, 200, 28}, QStringLiteral("CH2 40V Attenuation"));
    LEDATT2 = led(Frame2, "LEDATT2", S::SquareLed, {228, 68, 16, 16});

    Frame1 = named(new QGroupBox(QStringLiteral("Zero Calibrate Ground"), o), "Frame1",
                   {12, 324, 612, 84});
    btnCalibrate = button(Frame1, "btnCalibrate", S::LightPushButton, {}, {16, 28, 160, 40},
                          QStringLiteral("Calibrates both channels  [F11]"));
    btnCalibrate->setOffText(QStringLiteral("Calibrate"));
    btnCalibrate->setOnText(QStringLiteral("Calibrating"));
    lblpgbNow = label(Frame1, "lblpgbNow", QStringLiteral("CHX Proress"), {190, 18, 200, 16});
    pgbNow = named(new CwSlide(Qt::Horizontal, Frame1), "pgbNow", {190, 34, 400, 12});
    lblpgbMain =
        label(Frame1, "lblpgbMain", QStringLiteral("Overall Progress"), {190, 48, 200, 16});
    pgbMain = named(new CwSlide(Qt::Horizontal, Frame1), "pgbMain", {190, 64, 400, 12});
    for (CwSlide* bar : {pgbNow, pgbMain}) {
        bar->setLook(CwSlide::Look::Progress);
        bar->setAxisMinimum(0);
        bar->setAxisMaximum(100);
    }

    CWButton26 =
        button(o, "CWButton26", S::PushButton, QStringLiteral("CLOSE"), {504, 414, 120, 32},
               QStringLiteral("Closes this view and returns to plot area view"));
}

void Main::buildTimers()
{
    Timer1 = new CwTimer(1, false, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    CheckCOM = new CwTimer(250, true, this);
    CheckCOM->setObjectName(QStringLiteral("CheckCOM"));
    TriggerTimer = new CwTimer(2222, false, this);
    TriggerTimer->setObjectName(QStringLiteral("TriggerTimer"));
}

} // namespace kv
