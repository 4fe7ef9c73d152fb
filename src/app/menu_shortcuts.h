#pragma once

#include "app/layer.h"

#include <QObject>
#include <vector>

class QAction;
class QKeyEvent;
class QWidget;

namespace kv {

// Gives a window's menu shortcuts precedence over the control that has the keyboard focus.
// A line edit (the COM port box's, for one) claims keys such as Ctrl+E, its end of line, for
// itself before any shortcut is looked up, which leaves the menu item dead while it has the
// focus. Watching the whole application, this refuses that claim for every key that is the
// shortcut of one of the items, for any widget of the window; the focused control keeps every
// other key.
class MenuShortcutPrecedence : public QObject
{
  public:
    MenuShortcutPrecedence(QWidget& window, std::vector<QAction*> items);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    bool isItemShortcut(const QKeyEvent& key) const;

    QWidget& window_;
    std::vector<QAction*> items_;
};

} // namespace kv
