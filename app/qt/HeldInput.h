#pragma once
// The user's input while long work runs: keys, clicks and the wheel are held back and handed
// to the window system again once the work has ended, in the order they came, as if they
// had waited in its queue; they then reach shortcuts, menus and widgets as ever. Everything
// else goes on meanwhile: painting, timers, the window manager's ping, and its close
// request, which stops the work.
#include <QObject>
#include <QPointer>
#include <QWindow>
#include <memory>
#include <vector>

class QInputEvent;

class HeldInput final : public QObject {
public:
    // Holds input from now on, for every window of the application.
    HeldInput();
    ~HeldInput() override;
    HeldInput(const HeldInput&) = delete;
    HeldInput& operator=(const HeldInput&) = delete;

    // Stops holding and queues what was held, to be delivered after what waits now.
    void Replay();
    // Stops holding; what was held is dropped (the window is closing).
    void Drop();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Held {
        QPointer<QWindow> window;
        std::unique_ptr<QInputEvent> event;
    };
    void Stop();

    std::vector<Held> held_;
    bool holding_ = true;
};
