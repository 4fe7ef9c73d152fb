#include "app/menu_shortcuts.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QKeySequence>
#include <QWidget>

namespace kv {

MenuShortcutPrecedence::MenuShortcutPrecedence(QWidget& window, std::vector<QAction*> items)
    : QObject(&window), window_(window), items_(std::move(items))
{
    // The claim goes to the focused widget and then up its parents; the filter sees each step.
    QCoreApplication::instance()->installEventFilter(this);
}

bool MenuShortcutPrecedence::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride)
        return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != &window_ || !isItemShortcut(*static_cast<QKeyEvent*>(event)))
        return false;
    event->ignore(); // not claimed: the shortcut runs
    return true;
}

bool MenuShortcutPrecedence::isItemShortcut(const QKeyEvent& key) const
{
    const QKeySequence pressed(int(key.modifiers() & ~Qt::KeypadModifier) | key.key());
    for (const QAction* item : items_) {
        if (!item->shortcut().isEmpty() && item->shortcut() == pressed && item->isEnabled())
            return true;
    }
    return false;
}

} // namespace kv
