#pragma once

#include "controls/control_classes.h"
#include "panel/layer.h"
#include "panel/rules/time_div_setting.h"
#include "panel/rules/volts_div_caption.h"

#include <QAction>
#include <QObject>
#include <QString>
#include <array>
#include <initializer_list>
#include <iterator>

namespace kv {

class HorizontalPosition;

// Checks the item at 0-based `index` of a group and unchecks the others; an index outside the
// group changes no mark.
template <class Items> void checkOnly(const Items& group, int index)
{
    if (index < 0 || index >= int(std::size(group)))
        return;
    int i = 0;
    for (QAction* item : group)
        item->setChecked(i++ == index);
}

inline void checkOnly(std::initializer_list<QAction*> group, int index)
{
    checkOnly<std::initializer_list<QAction*>>(group, index);
}

// Menu check marks kept in step with the controls.
class MenuMarks : public QObject
{
    Q_OBJECT

  public:
    // The controls the group reads and the menu items it marks; none is null.
    struct Controls
    {
        CwButton* CWButton12; // edge
        CwButton* CWButton13; // trigger mode
        CwSlide* CWSlide5;    // trigger source
        CwButton* CWButton4;  // acquisition mode
        QLabel* PeriodVAL;    // volts/div captions
        QLabel* PeriodVAL2;
        CwKnob* CWKnob2; // time/div
        QAction* mnuTRising;
        QAction* mnuTFalling;
        QAction* mnuTAuto;
        QAction* mnuTNormal;
        QAction* mnuTSCh1;
        QAction* mnuTSCh2;
        QAction* mnuTSExt;
        QAction* mnuASingle;
        QAction* mnuAContinuous;
        // The Horizontal items and the Vertical items of each channel, in knob order
        // (horizontalMenuItems, verticalMenuItems).
        std::array<QAction*, TimeDivPositions> horizontalItems;
        std::array<QAction*, 6> verticalItemsCH1;
        std::array<QAction*, 6> verticalItemsCH2;
    };

    MenuMarks(const Controls& controls, HorizontalPosition& horizontalPosition);

    // Brings every menu check mark into line with the controls (the Channel menu aside).
    void MenuSync();

  private:
    const Controls ui;
    HorizontalPosition& horizontalPosition_;
};

} // namespace kv
