#include "dialogs/qt/DialogFocus.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>

namespace {

bool IsDialogWindow(const QObject* object) {
    const auto* dialog = qobject_cast<const QDialog*>(object);
    return dialog && dialog->isWindow();
}

}  // namespace

void DialogFocus::Install() { qApp->installEventFilter(new DialogFocus(qApp)); }

DialogFocus::DialogFocus(QObject* application) : QObject(application) {}

// The window active before the dialog; when a dialog has just closed and the activation
// it asked for has not arrived yet, the dialog's own parent window or the main window.
QWidget* DialogFocus::ReturnTargetFor(QWidget& dialog) const {
    QWidget* active = QApplication::activeWindow();
    if (active && active != &dialog && !IsDialogWindow(active)) return active;
    if (lastActive_ && lastActive_->isVisible()) return lastActive_;
    if (dialog.parentWidget()) return dialog.parentWidget()->window();
    return active != &dialog ? active : nullptr;
}

bool DialogFocus::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::WindowActivate:
            if (auto* window = qobject_cast<QWidget*>(watched); window && window->isWindow() && !IsDialogWindow(window))
                lastActive_ = window;
            break;
        case QEvent::Show:
            if (IsDialogWindow(watched) && !returnTo_.count(watched))
                returnTo_[watched] = ReturnTargetFor(*static_cast<QWidget*>(watched));
            break;
        case QEvent::Hide:
        case QEvent::Destroy: {
            const auto found = returnTo_.find(watched);
            if (found == returnTo_.end()) break;
            const QPointer<QWidget> target = found->second;
            returnTo_.erase(found);
            if (target && target->isVisible()) {
                target->activateWindow();
                target->raise();
            }
            break;
        }
        default: break;
    }
    return QObject::eventFilter(watched, event);
}
