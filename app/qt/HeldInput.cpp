#include "app/qt/HeldInput.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>
#include <QWheelEvent>
#include <algorithm>

// The one way to put input back where the window system puts it, so that it passes the
// shortcuts and the double-click detection again (see tests/gui/qt_internals_test.cpp).
#include <qpa/qwindowsysteminterface.h>

namespace {

bool IsHeld(QEvent::Type type) {
    switch (type) {
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseMove:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseMove:
        case QEvent::Wheel: return true;
        default: return false;
    }
}

// Input that cannot be put back: a double click is made again from its presses; touch and
// tablet input is dropped rather than let through.
bool IsDropped(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonDblClick:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease: return true;
        default: return false;
    }
}

void Queue(QWindow* window, const QInputEvent& event, ulong timestamp) {
    using System = QWindowSystemInterface;
    if (const auto* key = dynamic_cast<const QKeyEvent*>(&event)) {
        System::handleExtendedKeyEvent(window, timestamp, key->type(), key->key(), key->modifiers(),
                                       key->nativeScanCode(), key->nativeVirtualKey(), key->nativeModifiers(),
                                       key->text(), key->isAutoRepeat(), ushort(key->count()), false);
        return;
    }
    // The window system speaks in device pixels.
    const qreal ratio = window->devicePixelRatio();
    const auto* device = static_cast<const QPointingDevice*>(event.device());
    if (const auto* wheel = dynamic_cast<const QWheelEvent*>(&event)) {
        System::handleWheelEvent(window, timestamp, device, wheel->position() * ratio, wheel->globalPosition() * ratio,
                                 wheel->pixelDelta(), wheel->angleDelta(), wheel->modifiers(), wheel->phase(),
                                 Qt::MouseEventNotSynthesized, wheel->inverted());
    } else if (const auto* mouse = dynamic_cast<const QMouseEvent*>(&event)) {
        System::handleMouseEvent(window, timestamp, device, mouse->position() * ratio, mouse->globalPosition() * ratio,
                                 mouse->buttons(), mouse->button(), mouse->type(), mouse->modifiers());
    }
}

}  // namespace

HeldInput::HeldInput() { qApp->installEventFilter(this); }

HeldInput::~HeldInput() { Stop(); }

void HeldInput::Stop() {
    if (!holding_) return;
    holding_ = false;
    qApp->removeEventFilter(this);
}

void HeldInput::Drop() {
    Stop();
    held_.clear();
}

void HeldInput::Replay() {
    Stop();
    if (held_.empty()) return;
    // The presses have already passed the double-click detection once; coming again later
    // than any of them by more than the interval, the first is not taken for a second click,
    // while presses held together keep their spacing.
    const auto [first, last] = std::minmax_element(held_.begin(), held_.end(), [](const Held& a, const Held& b) {
        return a.event->timestamp() < b.event->timestamp();
    });
    const ulong later = ulong(last->event->timestamp() - first->event->timestamp()) +
                        ulong(QGuiApplication::styleHints()->mouseDoubleClickInterval()) + 1;
    for (const Held& held : held_)
        if (held.window) Queue(held.window, *held.event, ulong(held.event->timestamp()) + later);
    held_.clear();
}

bool HeldInput::eventFilter(QObject* watched, QEvent* event) {
    if (!event->spontaneous()) return false;
    // Left unclaimed, a key would try the shortcuts before it is held; claimed, it comes to
    // its window as a plain key, and is held there.
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();
        return true;
    }
    if (!watched->isWindowType()) return false;
    if (IsDropped(event->type())) return true;
    if (!IsHeld(event->type())) return false;
    held_.push_back(
        {static_cast<QWindow*>(watched), std::unique_ptr<QInputEvent>(static_cast<QInputEvent*>(event->clone()))});
    return true;
}
