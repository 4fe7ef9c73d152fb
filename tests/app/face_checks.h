#pragma once

// Checks of the drawn face: every text fits the box it is drawn in, and no control lies over
// another or past the edge of the panel that holds it. Each check returns what it found wrong,
// one line a fault, so that a failing test names the controls.
//
// Header only.

#include "app/main_window.h"
#include "controls/cw_button.h"
#include "controls/cw_graph.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QGroupBox>
#include <QLabel>
#include <QStringList>
#include <QVariant>

namespace kv::test {

// The controls of the face that are laid out on it, shown at present. A picture box without a
// text is a panel or a picture, not a control that could be cut; the graph draws no captions.
inline QList<QWidget*> ShownFaceControls(const Main& m)
{
    QWidget* face = m.centralWidget();
    QList<QWidget*> shown;
    for (QWidget* w : face->findChildren<QWidget*>()) {
        if (!w->property("designRect").isValid() || !w->isVisibleTo(face))
            continue;
        const auto* label = qobject_cast<const QLabel*>(w);
        if ((label && label->text().isEmpty()) || qobject_cast<const CwGraph*>(w))
            continue;
        shown << w;
    }
    return shown;
}

inline QString NameOf(const QWidget* w)
{
    return w->objectName().isEmpty() ? QStringLiteral("\"%1\"").arg(
                                           qobject_cast<const QLabel*>(w)
                                               ? qobject_cast<const QLabel*>(w)->text()
                                               : QString::fromLatin1(w->metaObject()->className()))
                                     : w->objectName();
}

inline QString Describe(const QRectF& r)
{
    return QStringLiteral("(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

// Where a text's glyphs land when it is drawn in a box with an alignment, as QPainter::drawText
// places it: its lines laid out in the box, the ink of the glyphs about their baselines. The
// line spacing of a font (its ascent and descent) is no measure: a face may declare far more room
// above and below its letters than they take.
inline QRectF InkRect(const QFont& font, const QString& text, const QRectF& box, int flags)
{
    const QFontMetricsF fm(font);
    const QRectF lines = fm.boundingRect(box, flags, text);
    const QRectF glyphs = fm.tightBoundingRect(text);
    const double top = lines.top() + fm.ascent() + glyphs.top();
    const double bottom = lines.bottom() - fm.descent() + glyphs.bottom();
    return {lines.left(), top, lines.width(), bottom - top};
}

// A text drawn in a box: its width in the font against the box's, its glyphs within the box.
inline void CheckText(QStringList& faults, const QWidget* w, const QString& text, const QFont& font,
                      const QRectF& box, int flags = Qt::AlignCenter)
{
    if (text.isEmpty())
        return;
    const QFontMetricsF fm(font);
    const double width = (flags & Qt::TextWordWrap) ? fm.boundingRect(box, flags, text).width()
                                                    : fm.horizontalAdvance(text);
    const QRectF ink = InkRect(font, text, box, flags);
    if (width > box.width() + 0.5)
        faults << QStringLiteral("%1: \"%2\" needs %3 wide, has %4")
                      .arg(NameOf(w), text)
                      .arg(width, 0, 'f', 1)
                      .arg(box.width(), 0, 'f', 1);
    if (ink.top() < box.top() - 0.5 || ink.bottom() > box.bottom() + 0.5)
        faults << QStringLiteral("%1: \"%2\" is drawn over %3, past its box %4")
                      .arg(NameOf(w), text, Describe(ink), Describe(box));
}

inline void CheckLabel(QStringList& faults, const QLabel* l)
{
    const QRect box =
        l->contentsRect().adjusted(l->margin(), l->margin(), -l->margin(), -l->margin());
    const int flags = int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0);
    CheckText(faults, l, l->text(), l->font(), box, flags);
}

inline void CheckButton(QStringList& faults, const CwButton* b)
{
    using S = CwButton::Style;
    if (b->style() != S::PushButton && b->style() != S::LightPushButton)
        return; // LEDs draw no text; a switch fits its caption to its free half
    // Inside the rounded rim; a lamp strip takes the top of a light push button.
    QRectF box = QRectF(b->rect()).adjusted(4, 1, -4, -1);
    if (b->style() == S::LightPushButton)
        box.setTop(10);
    for (const QString& text : {b->onText(), b->offText()})
        CheckText(faults, b, text, b->font(), box);
}

// Where a position's label is drawn (bold: any position may be the selected one): its box across,
// its glyphs down.
inline QRectF DrawnLabel(QFont font, const QString& text, const QRectF& box, int flags)
{
    font.setBold(true);
    const QRectF ink = InkRect(font, text, box, flags);
    return {box.left(), ink.top(), box.width(), ink.height()};
}

// A position's label: drawn inside its control, its text within its box.
inline void CheckPositionLabel(QStringList& faults, const QWidget* control, int position,
                               const QString& text, QFont font, const QRectF& box, int flags)
{
    const QRectF drawn = DrawnLabel(font, text, box, flags);
    if (!text.isEmpty() && !QRectF(control->rect()).adjusted(-0.5, -0.5, 0.5, 0.5).contains(drawn))
        faults << QStringLiteral("%1: label %2 %3 leaves the control")
                      .arg(NameOf(control))
                      .arg(position)
                      .arg(Describe(drawn));
    font.setBold(true);
    CheckText(faults, control, text, font, box, flags);
}

inline void CheckSlide(QStringList& faults, const CwSlide* s)
{
    const int flags = s->orientation() == Qt::Vertical ? Qt::AlignVCenter | Qt::AlignLeft
                                                       : Qt::AlignHCenter | Qt::AlignTop;
    for (int pos = 1; pos <= s->positionCount(); ++pos)
        CheckPositionLabel(faults, s, pos, s->positionLabel(pos), s->positionLabelFont(pos),
                           s->positionLabelRect(pos), flags);
}

inline void CheckKnob(QStringList& faults, const CwKnob* k)
{
    const auto drawn = [k](int pos) {
        return DrawnLabel(k->labelFont(), k->positionLabel(pos), k->labelBox(pos), Qt::AlignCenter);
    };
    for (int pos = 1; pos <= k->positionCount(); ++pos) {
        CheckPositionLabel(faults, k, pos, k->positionLabel(pos), k->labelFont(), k->labelBox(pos),
                           Qt::AlignCenter);
        if (pos > 1 && drawn(pos).intersects(drawn(pos - 1)))
            faults << QStringLiteral("%1: labels %2 %3 and %4 %5 overlap")
                          .arg(NameOf(k))
                          .arg(pos - 1)
                          .arg(Describe(drawn(pos - 1)))
                          .arg(pos)
                          .arg(Describe(drawn(pos)));
    }
}

inline void CheckGroupBox(QStringList& faults, const QGroupBox* g)
{
    QFont bold = g->font();
    bold.setBold(true);
    // The title starts a little in from the left edge; the same room is kept at the right.
    const double margin = g->height() > 0 ? QFontMetricsF(bold).height() : 0;
    CheckText(faults, g, g->title(), bold, QRectF(0, 0, g->width() - margin, g->height()),
              Qt::AlignTop | Qt::AlignLeft);
}

// Texts that do not fit their boxes.
inline QStringList TextsThatDoNotFit(const Main& m)
{
    QStringList faults;
    for (const QWidget* w : ShownFaceControls(m)) {
        if (const auto* l = qobject_cast<const QLabel*>(w))
            CheckLabel(faults, l);
        else if (const auto* b = qobject_cast<const CwButton*>(w))
            CheckButton(faults, b);
        else if (const auto* s = qobject_cast<const CwSlide*>(w))
            CheckSlide(faults, s);
        else if (const auto* k = qobject_cast<const CwKnob*>(w))
            CheckKnob(faults, k);
        else if (const auto* g = qobject_cast<const QGroupBox*>(w))
            CheckGroupBox(faults, g);
        else if (const auto* c = qobject_cast<const QComboBox*>(w))
            CheckText(faults, c, QStringLiteral("256"), c->font(),
                      QRectF(c->rect()).adjusted(2, 0, -c->height(), 0),
                      Qt::AlignVCenter | Qt::AlignLeft);
    }
    return faults;
}

// Controls that lie over a control beside them (of the same panel) or past their panel's edge.
inline QStringList ControlsOverOthers(const Main& m)
{
    QStringList faults;
    const QList<QWidget*> shown = ShownFaceControls(m);
    for (int i = 0; i < shown.size(); ++i) {
        const QWidget* a = shown[i];
        if (!a->parentWidget()->rect().contains(a->geometry()))
            faults << QStringLiteral("%1 %2 leaves its panel %3")
                          .arg(NameOf(a), Describe(a->geometry()),
                               Describe(a->parentWidget()->rect()));
        for (int j = i + 1; j < shown.size(); ++j) {
            const QWidget* b = shown[j];
            if (a->parentWidget() == b->parentWidget() && a->geometry().intersects(b->geometry()))
                faults << QStringLiteral("%1 %2 lies over %3 %4")
                              .arg(NameOf(a), Describe(a->geometry()), NameOf(b),
                                   Describe(b->geometry()));
        }
    }
    return faults;
}

// Fills the read-outs with the widest texts they show, so that the checks cover them.
inline void FillWidestReadouts(Main& m)
{
    const QString volts = QStringLiteral("-88.88 V");
    const QString period = QStringLiteral("88.8 mS");
    const QString frequency = QStringLiteral("88.8KHz");
    for (QLabel* l : {m.lblMAX, m.lblMIN, m.lblP2P, m.lblRMS, m.lblMnn, m.Max1, m.Min1, m.P2P1,
                      m.RMS1, m.Mean1, m.Max2, m.Min2, m.P2P2, m.RMS2, m.Mean2, m.lblTrg})
        l->setText(volts);
    for (QLabel* l : {m.lblPrd, m.Prd1, m.Prd2})
        l->setText(period);
    for (QLabel* l : {m.lblFrq, m.Frq1, m.Frq2, m.lblFRQMain})
        l->setText(frequency);
    for (QLabel* l : {m.lblXpos, m.lblXPos2, m.lblXDelta})
        l->setText(QStringLiteral("-8888mS"));
    for (QLabel* l : {m.lblYPos, m.lblYpos2, m.lblYDelta})
        l->setText(QStringLiteral("-888.8mV"));
    m.TimeVal->setText(QStringLiteral("500K s/S"));
    m.PeriodVAL->setText(QStringLiteral("Autoscale"));
    m.PeriodVAL2->setText(QStringLiteral("Autoscale"));
    m.labSetHTrg->setText(QStringLiteral("50% Trigger"));
}

} // namespace kv::test
