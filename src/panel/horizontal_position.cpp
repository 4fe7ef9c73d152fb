#include "panel/horizontal_position.h"

#include "controls/cw_button.h"
#include "controls/cw_knob.h"
#include "controls/cw_slide.h"
#include "controls/default_pointer.h"
#include "panel/menu_marks.h"

#include <QAction>
#include <QLabel>

namespace kv {

namespace {

constexpr int TriggerMarker = 2; // pointer of CWSlide6

} // namespace

HorizontalPosition::HorizontalPosition(ScopeState& state, const Controls& controls)
    : state_(state), ui(controls)
{
    connect(ui.CWButton29, &CwButton::valueChanged, this,
            &HorizontalPosition::CWButton29_ValueChanged);
    connect(ui.CWButton30, &CwButton::valueChanged, this,
            &HorizontalPosition::CWButton30_ValueChanged);
    connect(ui.CWButton29, &CwButton::mouseMove, this, &HorizontalPosition::CWButton29_MouseMove);
    connect(ui.CWButton30, &CwButton::mouseMove, this, &HorizontalPosition::CWButton30_MouseMove);
    connect(ui.mnuTH10, &QAction::triggered, this, &HorizontalPosition::mnuTH10_Click);
    connect(ui.mnuTH50, &QAction::triggered, this, &HorizontalPosition::mnuTH50_Click);
    connect(ui.mnuTH90, &QAction::triggered, this, &HorizontalPosition::mnuTH90_Click);
}

int HorizontalPosition::hTrigPosition() const
{
    const Variant& v = state_.HTrigPosition;
    for (int position = 1; position <= 3; ++position)
        if (v == Variant(position))
            return position;
    return 0;
}

bool HorizontalPosition::apply(int position, int marker)
{
    const auto group = timeDivGroup(ui.CWKnob2->position());
    if (!group)
        return false;
    const auto preset = trigPosPreset(*group, position);
    if (!preset)
        return false;
    ScopeState& s = state_;
    s.TrigPosByte1 = (*preset)[0];
    s.TrigPosByte2 = (*preset)[1];
    s.TrigPosByte3 = (*preset)[2];
    s.TrigPosByte4 = (*preset)[3];
    ui.CWSlide6->setPointerValue(TriggerMarker, marker);
    return true;
}

void HorizontalPosition::choose(int position, int marker)
{
    if (apply(position, marker))
        state_.HTrigPosition = position;
}

void HorizontalPosition::HTrigPos()
{
    static constexpr std::array<int, 3> Markers{MarkerLeft, MarkerCentre, MarkerRightPreset};
    const int position = hTrigPosition();
    if (position == 0 || !apply(position, Markers[std::size_t(position - 1)]))
        return;
    ui.labSetHTrg->setText(QString::fromLatin1(trigPosCaption(position)));
}

void HorizontalPosition::TrigPosMenu()
{
    checkOnly({ui.mnuTH10, ui.mnuTH50, ui.mnuTH90}, hTrigPosition() - 1);
}

void HorizontalPosition::CWButton29_ValueChanged(bool value)
{
    if (value) {
        const int position = hTrigPosition();
        if (position == 1 || position == 2)
            choose(1, MarkerLeft);
        else if (position == 3)
            choose(2, MarkerCentre);
        if (ui.Autoscale->value())
            ui.Autoscale->setValue(true);
    }
    TrigPosMenu();
}

void HorizontalPosition::CWButton30_ValueChanged(bool value)
{
    if (value) {
        const int position = hTrigPosition();
        if (position == 1)
            choose(2, MarkerCentre);
        else if (position == 2 || position == 3)
            choose(3, MarkerRightStep);
    }
    TrigPosMenu();
}

void HorizontalPosition::CWButton29_MouseMove()
{
    restoreDefaultPointer(*ui.window);
}

void HorizontalPosition::CWButton30_MouseMove()
{
    restoreDefaultPointer(*ui.window);
}

void HorizontalPosition::mnuTH10_Click()
{
    choose(1, MarkerLeft);
    TrigPosMenu();
}

void HorizontalPosition::mnuTH50_Click()
{
    choose(2, MarkerCentre);
    TrigPosMenu();
}

void HorizontalPosition::mnuTH90_Click()
{
    choose(3, MarkerRightStep);
    TrigPosMenu();
}

} // namespace kv
