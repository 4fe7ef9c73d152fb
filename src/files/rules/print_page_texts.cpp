#include "files/rules/print_page_texts.h"

#include <array>

namespace kv {

namespace {

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

PrintReadouts WidestPrintReadouts()
{
    PrintReadouts r;
    r.cursorStyle = 2;      // paired: every cursor label is filled
    r.timeDivPosition = 11; // "100ms / DIV"
    r.risingEdge = false;   // "Falling"
    r.triggerSource = 3;    // "External"
    // Cursor times and voltages are cut to five characters ("-1350", "999.0", "-1.97").
    r.lblXpos = r.lblXPos2 = r.lblXDelta = QStringLiteral("-8888mS");
    r.lblFRQMain = QStringLiteral("88.8KHz");
    r.lblYPos = r.lblYpos2 = r.lblYDelta = QStringLiteral("888.8mV");
    r.lblTrg = QStringLiteral("-88.8 V");
    r.TimeVal = QStringLiteral("500K s/S");
    r.PeriodVAL = r.PeriodVAL2 = QStringLiteral("Autoscale");
    for (QString* volts : {&r.Max1, &r.Min1, &r.P2P1, &r.RMS1, &r.Mean1, &r.Max2, &r.Min2, &r.P2P2,
                           &r.RMS2, &r.Mean2})
        *volts = QStringLiteral("-88.8 V");
    r.Frq1 = r.Frq2 = QStringLiteral("88.8KHz");
    r.Prd1 = r.Prd2 = QStringLiteral("88.8 mS");
    return r;
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

} // namespace kv
