#pragma once

#include "app/handler_group.h"
#include "panel/volts_div_caption.h"

#include <QAction>
#include <QString>
#include <initializer_list>
#include <iterator>

namespace kv {

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
class MenuMarks : public HandlerGroup
{
    Q_OBJECT

  public:
    explicit MenuMarks(Main& main);

    // Brings every menu check mark into line with the controls (the Channel menu aside).
    void MenuSync();

  private:
    void syncVertical(int channel, const QString& caption);
};

} // namespace kv
