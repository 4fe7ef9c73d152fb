#include "files/print_page.h"

#include "app/picture_box.h"

#include <QLabel>
#include <QPainter>
#include <algorithm>
#include <array>

namespace kv {

namespace {

constexpr int kTwipsPerPixel = 15;

QRect twips(int left, int top, int width, int height)
{
    return {left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
            height / kTwipsPerPixel};
}

QString triggerSourceText(int position)
{
    switch (position) {
    case 1:
        return QStringLiteral("CH1");
    case 2:
        return QStringLiteral("CH2");
    case 3:
        return QStringLiteral("External");
    default:
        return {};
    }
}

void setCursorTexts(const PrintReadouts& r, PrintPageTexts& t)
{
    const bool times = r.cursorStyle == 1 || r.cursorStyle == 2;
    const bool volts = r.cursorStyle == 0 || r.cursorStyle == 2;
    if (times) {
        t.lblcur1T = QStringLiteral("Cursor A: ") + r.lblXpos;
        t.lblcur2t = QStringLiteral("Cursor B: ") + r.lblXPos2;
        t.lblcurDT =
            (r.cursorStyle == 2 ? QStringLiteral("   Delta: ") : QStringLiteral("    Delta: ")) +
            r.lblXDelta;
        t.lblcurFreq = QStringLiteral("      Freq: ") + r.lblFRQMain;
    }
    if (volts) {
        t.lblcur1V = QStringLiteral("Cursor A: ") + r.lblYPos;
        t.lblcur2V = QStringLiteral("Cursor B: ") + r.lblYpos2;
        t.lblcurDV = QStringLiteral("    Delta: ") + r.lblYDelta;
    }
}

QString voltLine(const QString& max, const QString& min, const QString& p2p)
{
    return QStringLiteral("Max Voltage: ") + max + QStringLiteral("    Min Voltage: ") + min +
           QStringLiteral("    Peak to Peak: ") + p2p;
}

QString rmsLine(const QString& rms, const QString& mean)
{
    return QStringLiteral("true RMS Voltage: ") + rms + QStringLiteral("    Mean Voltage: ") + mean;
}

QString frequencyLine(const QString& frequency, const QString& period)
{
    return QStringLiteral("Frequency: ") + frequency + QStringLiteral("    Period: ") + period;
}

} // namespace

QString PrintTimeDivText(int position)
{
    static const std::array<const char*, 14> texts = {
        "50us / DIV",  "100us / DIV", "200us / DIV", "500us / DIV", "1ms / DIV",
        "2ms / DIV",   "5ms / DIV",   "10ms / DIV",  "20ms / DIV",  "50ms / DIV",
        "100ms / DIV", "200ms / DIV", "500s / DIV",  "1 s / DIV"};
    if (position < 1 || position > int(texts.size()))
        return {};
    return QString::fromLatin1(texts[std::size_t(position - 1)]);
}

PrintPageTexts ComposePrintPage(const PrintReadouts& r)
{
    PrintPageTexts t;
    setCursorTexts(r, t);
    const QString timeDiv = PrintTimeDivText(r.timeDivPosition);
    t.lblCH1 = QStringLiteral("CH1: ") + r.PeriodVAL + QStringLiteral("/ DIV    ") + timeDiv;
    const QString edge = r.risingEdge ? QStringLiteral("Rising") : QStringLiteral("Falling");
    t.lblTrg = QStringLiteral("Triggered on the ") + edge + QStringLiteral(" edge of ") +
               triggerSourceText(r.triggerSource) + QStringLiteral(" at ") + r.lblTrg;
    t.lblAcq = r.TimeVal;
    t.lblVlt = voltLine(r.Max1, r.Min1, r.P2P1);
    t.lblRMS = rmsLine(r.RMS1, r.Mean1);
    t.lblFeq = frequencyLine(r.Frq1, r.Prd1);
    t.lblCH2 = QStringLiteral("CH2: ") + r.PeriodVAL2 + QStringLiteral("/ DIV    ") + timeDiv;
    t.lblVlt2 = voltLine(r.Max2, r.Min2, r.P2P2);
    t.lblRMS2 = rmsLine(r.RMS2, r.Mean2);
    t.lblFeq2 = frequencyLine(r.Frq2, r.Prd2);
    return t;
}

frmPrint::frmPrint(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("frmPrint"));
    setWindowTitle(QStringLiteral("Print Preview"));
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    QPalette face = palette();
    face.setColor(QPalette::Window, Qt::white);
    face.setColor(QPalette::WindowText, Qt::black);
    setPalette(face);

    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twips(0, 0, 8055, 6375));
    lblcur1T = label("lblcur1T", 8040, 240, 2535, 375);
    lblcur2t = label("lblcur2t", 8040, 720, 2535, 375);
    lblcurDT = label("lblcurDT", 8040, 1200, 2535, 375);
    lblcurFreq = label("lblcurFreq", 7920, 1560, 2415, 375);
    lblcur1V = label("lblcur1V", 8040, 2520, 2535, 375);
    lblcur2V = label("lblcur2V", 8040, 3000, 2535, 375);
    lblcurDV = label("lblcurDV", 7920, 3480, 2655, 375);
    lblTrg = label("lblTrg", 120, 6360, 7815, 375);
    lblAcq = label("lblAcq", 120, 6720, 7815, 375);
    lblCH1 = label("lblCH1", 120, 7080, 7815, 615, 20.25);
    lblVlt = label("lblVlt", 120, 7560, 7815, 375);
    lblRMS = label("lblRMS", 120, 7920, 7815, 375);
    lblFeq = label("lblFeq", 120, 8280, 7815, 375);
    lblCH2 = label("lblCH2", 120, 8640, 7815, 615, 20.25);
    lblVlt2 = label("lblVlt2", 120, 9120, 7815, 375);
    lblRMS2 = label("lblRMS2", 120, 9480, 7815, 375);
    lblFeq2 = label("lblFeq2", 120, 9840, 7815, 375);
}

QLabel* frmPrint::label(const char* name, int left, int top, int width, int height, double points)
{
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(twips(left, top, width, height));
    QFont font(QStringLiteral("Trebuchet MS"));
    font.setPointSizeF(points);
    label->setFont(font);
    return label;
}

void frmPrint::setTexts(const PrintPageTexts& t)
{
    const std::pair<QLabel*, const QString*> captions[] = {
        {lblcur1T, &t.lblcur1T},     {lblcur2t, &t.lblcur2t}, {lblcurDT, &t.lblcurDT},
        {lblcurFreq, &t.lblcurFreq}, {lblcur1V, &t.lblcur1V}, {lblcur2V, &t.lblcur2V},
        {lblcurDV, &t.lblcurDV},     {lblTrg, &t.lblTrg},     {lblAcq, &t.lblAcq},
        {lblCH1, &t.lblCH1},         {lblVlt, &t.lblVlt},     {lblRMS, &t.lblRMS},
        {lblFeq, &t.lblFeq},         {lblCH2, &t.lblCH2},     {lblVlt2, &t.lblVlt2},
        {lblRMS2, &t.lblRMS2},       {lblFeq2, &t.lblFeq2}};
    for (const auto& [label, text] : captions)
        label->setText(*text);
}

void frmPrint::setGraphPicture(const QImage& picture)
{
    Picture1->setPicture(picture);
}

std::vector<QLabel*> frmPrint::labels() const
{
    return {lblcur1T, lblcur2t, lblcurDT, lblcurFreq, lblcur1V, lblcur2V, lblcurDV, lblTrg, lblAcq,
            lblCH1,   lblVlt,   lblRMS,   lblFeq,     lblCH2,   lblVlt2,  lblRMS2,  lblFeq2};
}

void frmPrint::printOnto(QPainter& painter, const QRect& page, int deviceDpi)
{
    constexpr double kPixelsPerInch = 96.0;
    const double trueSize = deviceDpi / kPixelsPerInch;
    const double scale = std::min(
        {trueSize, double(page.width()) / ClientWidth, double(page.height()) / ClientHeight});
    const auto onPage = [&](const QRect& r) {
        return QRectF(page.left() + r.x() * scale, page.top() + r.y() * scale, r.width() * scale,
                      r.height() * scale);
    };
    painter.save();
    painter.drawImage(onPage(Picture1->geometry()), Picture1->picture());
    painter.setPen(Qt::black);
    for (const QLabel* label : labels()) {
        // Point sizes are physical on the printer; shrink them with the page when it must fit.
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * scale / trueSize);
        painter.setFont(font);
        painter.drawText(onPage(label->geometry()), int(label->alignment()), label->text());
    }
    painter.restore();
}

} // namespace kv
