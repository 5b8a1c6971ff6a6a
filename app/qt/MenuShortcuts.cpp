#include "app/qt/MenuShortcuts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

bool IsEditChord(const QKeyEvent& key) {
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier) return false;
    return key.key() == Qt::Key_X || key.key() == Qt::Key_C || key.key() == Qt::Key_V;
}

}  // namespace

void MenuShortcuts::Install(QWidget& window) { qApp->installEventFilter(new MenuShortcuts(window)); }

MenuShortcuts::MenuShortcuts(QWidget& window) : QObject(&window), window_(window) {}

bool MenuShortcuts::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride || !IsEditChord(*static_cast<QKeyEvent*>(event))) return false;
    const auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || widget->window() != &window_) return false;
    // Left unclaimed, the key goes on to the main menu's shortcut.
    event->ignore();
    return true;
}
