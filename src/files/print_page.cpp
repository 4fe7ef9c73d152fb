#include "files/print_page.h"

#include "controls/picture_box.h"

#include <QFontDatabase>
#include <QFontMetricsF>
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

} // namespace

QString PrintPageFontFamily()
{
    static const QString family = [] {
        const QStringList installed = QFontDatabase().families();
        for (const char* face :
             {"Trebuchet MS", "DejaVu Sans", "Liberation Sans", "Arial", "Noto Sans", "FreeSans"}) {
            const QString name = QString::fromLatin1(face);
            if (installed.contains(name))
                return name;
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

QFont FittedFont(QFont font, const QString& text, const QSizeF& box, const QPaintDevice* device)
{
    constexpr double kStep = 0.25;
    constexpr double kSmallest = 4.0;
    const auto fits = [&](const QFont& f) {
        // The metrics of a device other than the screen take it as a paint device.
        const QFontMetricsF metrics =
            device ? QFontMetricsF(f, const_cast<QPaintDevice*>(device)) : QFontMetricsF(f);
        return metrics.horizontalAdvance(text) <= box.width() && metrics.height() <= box.height();
    };
    while (!fits(font) && font.pointSizeF() - kStep >= kSmallest)
        font.setPointSizeF(font.pointSizeF() - kStep);
    return font;
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

    // The picture keeps the graph's 4:3 shape; the cursor read-outs stand to its right, the
    // trigger, sample-rate and channel lines below it, all within the page and apart.
    Picture1 = new PictureBox(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twips(0, 0, 8055, 6045));
    lblcur1T = label("lblcur1T", 8100, 240, 2040, 360);
    lblcur2t = label("lblcur2t", 8100, 720, 2040, 360);
    lblcurDT = label("lblcurDT", 8100, 1200, 2040, 360);
    lblcurFreq = label("lblcurFreq", 8100, 1560, 2040, 360);
    lblcur1V = label("lblcur1V", 8100, 2520, 2040, 360);
    lblcur2V = label("lblcur2V", 8100, 3000, 2040, 360);
    lblcurDV = label("lblcurDV", 8100, 3480, 2040, 360);
    lblTrg = label("lblTrg", 120, 6090, 9975, 345);
    lblAcq = label("lblAcq", 120, 6435, 9975, 345);
    lblCH1 = label("lblCH1", 120, 6780, 9975, 600, 20.25);
    lblVlt = label("lblVlt", 120, 7380, 9975, 345);
    lblRMS = label("lblRMS", 120, 7725, 9975, 345);
    lblFeq = label("lblFeq", 120, 8070, 9975, 345);
    lblCH2 = label("lblCH2", 120, 8415, 9975, 600, 20.25);
    lblVlt2 = label("lblVlt2", 120, 9015, 9975, 345);
    lblRMS2 = label("lblRMS2", 120, 9360, 9975, 345);
    lblFeq2 = label("lblFeq2", 120, 9705, 9975, 345);
    fitFonts();
}

QLabel* frmPrint::label(const char* name, int left, int top, int width, int height, double points)
{
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(twips(left, top, width, height));
    QFont font(PrintPageFontFamily());
    font.setPointSizeF(points);
    label->setFont(font);
    return label;
}

void frmPrint::fitFonts()
{
    setTexts(ComposePrintPage(WidestPrintReadouts()));
    // Three groups share a size: the channel titles, the cursor read-outs, the other lines.
    const std::vector<QLabel*> groups[] = {
        {lblCH1, lblCH2},
        {lblcur1T, lblcur2t, lblcurDT, lblcurFreq, lblcur1V, lblcur2V, lblcurDV},
        {lblTrg, lblAcq, lblVlt, lblRMS, lblFeq, lblVlt2, lblRMS2, lblFeq2}};
    fonts_.clear();
    for (const auto& group : groups) {
        QFont font = group.front()->font();
        for (const QLabel* l : group)
            font = FittedFont(font, l->text(), l->size());
        for (QLabel* l : group) {
            l->setFont(font);
            fonts_.emplace_back(l, font);
        }
    }
    setTexts({});
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
    for (const auto& [label, text] : captions) {
        label->setText(*text);
        for (const auto& [fitted, font] : fonts_)
            if (fitted == label)
                label->setFont(FittedFont(font, *text, label->size()));
    }
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
        // Point sizes are physical on the printer; shrink them with the page when it must fit,
        // and further where the printer's metrics make a text wider than on the screen.
        QFont font = label->font();
        font.setPointSizeF(font.pointSizeF() * scale / trueSize);
        const QRectF box = onPage(label->geometry());
        painter.setFont(FittedFont(font, label->text(), box.size(), painter.device()));
        painter.drawText(box, int(label->alignment()), label->text());
    }
    painter.restore();
}

} // namespace kv
