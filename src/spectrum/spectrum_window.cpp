#include "spectrum/spectrum_window.h"

#include "controls/cw_button.h"
#include "controls/cw_color.h"
#include "controls/cw_graph.h"
#include "controls/cw_timer.h"
#include "spectrum/qwt_scale_headers.h"
#include "state/colours.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>
#include <cmath>
#include <cstdio>
#include <span>

namespace kv {

namespace {

const QString kPlot = QStringLiteral("Plot-1");
const QString kCursor = QStringLiteral("Cursor-1");

constexpr int kTickMs = 100;
constexpr int kKeyR = 82;     // key code of R
constexpr int kShiftCtrl = 2; // shift state of Ctrl alone
constexpr int kTraceColor = colour::Yellow;
constexpr int kCursorColor = 0x00A5FF; // orange

// X axis labels: the value with its SI prefix followed by "Hz" ("0Hz", "48.83kHz", "1.2MHz").
class HertzScaleDraw : public QwtScaleDraw
{
  public:
    QwtText label(double value) const override
    {
        return QwtText(QString::fromStdString(HertzAxisLabel(value)));
    }
};

// Y axis labels: three significant digits, so the labels stay narrow at any scale.
class AmplitudeScaleDraw : public QwtScaleDraw
{
  public:
    QwtText label(double value) const override { return QwtText(QString::number(value, 'g', 3)); }
};

int shiftState(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? 1 : 0) + (modifiers & Qt::ControlModifier ? 2 : 0) +
           (modifiers & Qt::AltModifier ? 4 : 0);
}

std::span<const double> sourceArray(const SampleArrays& samples, FftSource source)
{
    switch (source) {
    case FftSource::CountsCH1:
        return samples.CountsCH1;
    case FftSource::CountsCH2:
        return samples.CountsCH2;
    case FftSource::Counts750CH1:
        return samples.Counts750CH1;
    case FftSource::Counts750CH2:
        return samples.Counts750CH2;
    }
    return {};
}

QGroupBox* frame(const char* name, const QString& title, QWidget* parent)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(QString::fromLatin1(name));
    return box;
}

QRadioButton* option(const char* name, const QString& caption, QWidget* parent)
{
    auto* button = new QRadioButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setToolTip(QStringLiteral("Applies a \"%1\" window to the FFT").arg(caption));
    return button;
}

CwButton* button(const char* name, CwButton::Style style, QWidget* parent)
{
    auto* b = new CwButton(style, parent);
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

QLabel* label(const char* name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    return l;
}

} // namespace

SpectrumWindow::SpectrumWindow(SpectrumSource& source, QWidget* parent)
    : QWidget(parent, Qt::Window), source_(source)
{
    setObjectName(QStringLiteral("FFT"));
    setWindowTitle(QStringLiteral("Kestrovue FFT"));
    buildControls();
    buildLayout();
    connectHandlers();
    Form_Load();
}

SpectrumWindow::~SpectrumWindow() = default;

void SpectrumWindow::buildControls()
{
    QPalette pal = palette();
    pal.setColor(QPalette::Window, colorFromBgr(face::Background));
    pal.setColor(QPalette::WindowText, colorFromBgr(face::Label));
    pal.setColor(QPalette::Text, colorFromBgr(face::Label));
    setPalette(pal);
    setAutoFillBackground(true);

    CWGraph1 = new CwGraph(this);
    CWGraph1->setObjectName(QStringLiteral("CWGraph1"));
    CWGraph1->setToolTip(QStringLiteral("FFT display window"));
    CWGraph1->addPlot(kPlot, kTraceColor);
    CWGraph1->addCursor(kCursor, kCursorColor);
    CWGraph1->setCursorCrosshairStyle(kCursor, CwGraph::CrosshairVertical);
    CWGraph1->setTrackMode(CwGraph::TrackDragCursors);
    CWGraph1->setCursor(Qt::CrossCursor);
    if (auto* plot = CWGraph1->findChild<QwtPlot*>()) {
        plot->setAxisScaleDraw(QwtPlot::xBottom, new HertzScaleDraw);
        plot->setAxisScaleDraw(QwtPlot::yLeft, new AmplitudeScaleDraw);
    }

    Window = frame("Window", QStringLiteral("Windowing"), this);
    bkharis = option("bkharis", QStringLiteral("Black-Harris"), Window);
    Rect = option("Rect", QStringLiteral("Rectangular"), Window);
    ham = option("ham", QStringLiteral("Hamming"), Window);
    han = option("han", QStringLiteral("Hanning"), Window);

    Frame1 = frame("Frame1", QStringLiteral("Cursor"), this);
    btnCursor = button("btnCursor", CwButton::Style::HorizontalSwitch, Frame1);
    btnCursor->setToolTip(QStringLiteral("Switches Cursor On and Off"));
    Label2 = label("Label2", QStringLiteral("Frequency"), Frame1);
    CursorFreq = label("CursorFreq", QStringLiteral("0.000 Hz"), Frame1);
    CursorFreq->setToolTip(QStringLiteral("Cursor frequency"));
    CursorFreq->setFrameStyle(int(QFrame::Panel) | int(QFrame::Sunken));
    CursorFreq->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CursorFreq->setMinimumWidth(96);

    Frame2 = frame("Frame2", QStringLiteral("Always on top"), this);
    CWButton2 = button("CWButton2", CwButton::Style::HorizontalSwitch, Frame2);
    CWButton2->setToolTip(QStringLiteral("On = This window will always be on top"));

    CWButton1 = button("CWButton1", CwButton::Style::PushButton, this);
    CWButton1->setCaption(QStringLiteral("Scope"));
    CWButton1->setToolTip(QStringLiteral("Switches to oscilloscope view"));
    CWButton1->setCommand(true);

    CWButton3 = button("CWButton3", CwButton::Style::LightPushButton, this);
    CWButton3->setCaption(QStringLiteral("RUN / STOP"));
    CWButton3->setToolTip(QStringLiteral("Acquires and stops acquiring data  [Ctrl+R]"));
    CWButton3->setMechanicalAction(CwButton::ActionSwitch);
    CWButton3->setOnColor(colour::Green);
    CWButton3->setOffColor(0x003A00);

    fftVERT = button("fftVERT", CwButton::Style::VerticalSwitch, this);
    fftVERT->hide();
    lblLinearRMS = label("lblLinearRMS", QStringLiteral("Linear RMS"), this);
    lblLinearRMS->hide();
    lblDbvRMS = label("lblDbvRMS", QStringLiteral("dBV RMS"), this);
    lblDbvRMS->hide();

    Timer1 = new CwTimer(kTickMs, true, this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
}

void SpectrumWindow::buildLayout()
{
    auto* windowing = new QVBoxLayout(Window);
    for (QRadioButton* b : {bkharis, Rect, ham, han}) {
        windowing->addWidget(b);
    }

    auto* cursor = new QGridLayout(Frame1);
    cursor->addWidget(btnCursor, 0, 0, 1, 2, Qt::AlignHCenter);
    cursor->addWidget(Label2, 1, 0);
    cursor->addWidget(CursorFreq, 1, 1);

    auto* onTop = new QHBoxLayout(Frame2);
    onTop->addWidget(CWButton2, 0, Qt::AlignHCenter);

    auto* side = new QVBoxLayout;
    side->addWidget(Window);
    side->addWidget(Frame1);
    side->addWidget(Frame2);
    side->addStretch(1);
    side->addWidget(CWButton3);
    side->addWidget(CWButton1);

    auto* top = new QHBoxLayout(this);
    top->setContentsMargins(8, 8, 8, 8);
    top->addWidget(CWGraph1, 1);
    top->addLayout(side);
    resize(980, 480);
}

void SpectrumWindow::connectHandlers()
{
    connect(Timer1, &CwTimer::tick, this, &SpectrumWindow::Timer1_Timer);
    connect(CWGraph1, &CwGraph::cursorChange, this, &SpectrumWindow::CWGraph1_CursorChange);
    connect(btnCursor, &CwButton::valueChanged, this, &SpectrumWindow::btnCursor_ValueChanged);
    connect(btnCursor, &CwButton::doubleClicked, this, &SpectrumWindow::btnCursor_DblClick);
    connect(CWButton2, &CwButton::valueChanged, this, &SpectrumWindow::CWButton2_ValueChanged);
    connect(CWButton3, &CwButton::valueChanged, this, &SpectrumWindow::CWButton3_ValueChanged);
    connect(CWButton1, &CwButton::valueChanged, this, &SpectrumWindow::CWButton1_ValueChanged);
}

void SpectrumWindow::Form_Load()
{
    Rect->setChecked(true);
    CWGraph1->setCursorVisible(kCursor, false);
}

std::optional<WindowFunction> SpectrumWindow::selectedWindow() const
{
    if (bkharis->isChecked()) {
        return WindowFunction::BlackmanHarris;
    }
    if (Rect->isChecked()) {
        return WindowFunction::Rectangular;
    }
    if (ham->isChecked()) {
        return WindowFunction::Hamming;
    }
    if (han->isChecked()) {
        return WindowFunction::Hann;
    }
    return std::nullopt;
}

void SpectrumWindow::Timer1_Timer()
{
    const GlobalV& global = source_.global();
    if (global.ActiveChannel == Variant(0)) {
        return;
    }
    const double channel = global.ActiveChannel.toNumber();
    const auto choice = ChooseFftRecord(channel == 1.0   ? 1
                                        : channel == 2.0 ? 2
                                                         : 0,
                                        source_.timeDivPosition(), source_.bothTracesShown());
    if (choice) {
        const auto from =
            sourceArray(global.Samples, choice->source).subspan(choice->first, choice->length);
        FFTRecord.assign(from.begin(), from.end());
        FFTSampleTime = choice->sampleTime;
        FFTFirstBin = static_cast<std::int16_t>(choice->firstBin);
        FFTBinCount = static_cast<std::int16_t>(choice->binCount);
    }

    CWGraph1->autoScaleOnce(CwGraph::XAxis);
    if (!CWGraph1->axisAutoScale(CwGraph::YAxis)) {
        CWGraph1->setAxisAutoScale(CwGraph::YAxis, true);
    }

    const auto window = selectedWindow();
    if (!window) {
        return;
    }
    try {
        showSpectrum(ApplyWindow(FFTRecord, *window));
    } catch (...) {
        // A failed tick leaves the display as it was; the next tick tries again.
    }
}

void SpectrumWindow::showSpectrum(const std::vector<double>& windowed)
{
    if (ComputeSpectrum(windowed, FFTSampleTime, spectrum_) != SpectrumError::None) {
        return;
    }
    const std::size_t first = static_cast<std::size_t>(FFTFirstBin);
    const std::size_t count = static_cast<std::size_t>(FFTBinCount);
    if (FFTFirstBin < 0 || FFTBinCount < 0 || first + count > spectrum_.bins.size()) {
        return;
    }
    const auto shownBegin = spectrum_.bins.begin() + static_cast<std::ptrdiff_t>(first);
    const QVector<double> shown(shownBegin, shownBegin + static_cast<std::ptrdiff_t>(count));
    // The first shown bin is drawn at its own frequency, so a peak reads where it lies.
    CWGraph1->plotY(kPlot, shown, ShownFirstFrequency(FFTFirstBin, spectrum_.df), spectrum_.df);
    CursorFreq->setText(QString::fromStdString(
        CursorFrequencyText(btnCursor->value(), CWGraph1->cursorX(kCursor))));
}

void SpectrumWindow::CWGraph1_CursorChange(const QString& name, double x, double /*y*/)
{
    if (name == kCursor) {
        CursorFreq->setText(QString::fromStdString(CursorFrequencyText(true, x)));
    }
}

void SpectrumWindow::btnCursor_ValueChanged(bool value)
{
    CWGraph1->setCursorVisible(kCursor, value);
}

void SpectrumWindow::btnCursor_DblClick()
{
    CWGraph1->setCursorX(kCursor, 0.0);
}

void SpectrumWindow::CWButton2_ValueChanged(bool value)
{
    // Changing a window flag hides the window; a shown window is shown again where it was.
    const bool shown = isVisible();
    const QRect place = geometry();
    setWindowFlag(Qt::WindowStaysOnTopHint, value);
    if (shown) {
        setGeometry(place);
        show();
    }
}

void SpectrumWindow::CWButton3_ValueChanged(bool value)
{
    source_.setRun(value);
}

void SpectrumWindow::CWButton1_ValueChanged(bool /*value*/)
{
    hide();
    Form_Unload();
}

void SpectrumWindow::Form_KeyDown(int keyCode, int shift)
{
    if (keyCode != kKeyR || shift != kShiftCtrl) {
        return;
    }
    const bool run = !CWButton3->value();
    CWButton3->setValue(run);
    source_.setRun(run);
}

void SpectrumWindow::Form_Unload()
{
    if (unloaded_) {
        return;
    }
    unloaded_ = true;
    Timer1->setEnabled(false);
    Q_EMIT unloaded();
    deleteLater();
}

void SpectrumWindow::keyPressEvent(QKeyEvent* event)
{
    // Qt's key codes of letters are the runtime's (R = 82).
    const int shift = shiftState(event->modifiers());
    if (event->key() == kKeyR && shift == kShiftCtrl) {
        Form_KeyDown(event->key(), shift);
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}

void SpectrumWindow::closeEvent(QCloseEvent* event)
{
    Form_Unload();
    event->accept();
}

} // namespace kv
