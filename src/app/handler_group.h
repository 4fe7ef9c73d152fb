#pragma once

#include "app/layer.h"

#include <QObject>

namespace kv {

class Main;

// Base of the handler groups: a group holds the main window and connects its own handlers to
// the controls in its constructor (connect(control, signal, this, handler), so that the
// connections end with the group). Main creates the groups after its controls, in
// createGroups() (app/main_window_groups.cpp), one line each:
//     triggerLevel = addGroup<TriggerLevel>();
// and destroys them before its controls.
class HandlerGroup : public QObject
{
    Q_OBJECT

  public:
    explicit HandlerGroup(Main& main) : m(main) {}

  protected:
    Main& m;
};

} // namespace kv
