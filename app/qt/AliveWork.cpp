#include "app/qt/AliveWork.h"

#include "app/qt/HeldInput.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QScopeGuard>
#include <QTimer>
#include <exception>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

namespace alivework {

namespace {

constexpr int kTickMilliseconds = 100;

bool running = false;
std::vector<std::function<void()>> waiting;

// Hands what waited for the work on to the event loop.
void ReleaseWaiting() {
    for (auto& call : std::exchange(waiting, {}))
        QMetaObject::invokeMethod(qApp, std::move(call), Qt::QueuedConnection);
}

}  // namespace

void Run(const std::function<void()>& work, const std::function<void()>& tick, const std::function<bool()>& dropInput) {
    Q_ASSERT(!running);
    running = true;
    const auto idle = qScopeGuard([] {
        running = false;
        ReleaseWaiting();
    });
    QEventLoop loop;
    QTimer ticker;
    if (tick) {
        QObject::connect(&ticker, &QTimer::timeout, tick);
        ticker.start(kTickMilliseconds);
    }
    std::exception_ptr failure;
    const auto runWork = [&] {
        try {
            work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    };
    std::thread worker;
    try {
        worker = std::thread(runWork);
    } catch (const std::system_error&) {
        // No thread to be had (memory or process limits): the work runs here, as it always
        // could, only without the window answering meanwhile.
        work();
        return;
    }
    HeldInput input;
    loop.exec();
    // The loop ends early only when the application quits; the work must end all the same
    // before anything it uses may go.
    worker.join();
    if (dropInput && dropInput())
        input.Drop();
    else
        input.Replay();
    if (failure) std::rethrow_exception(failure);
}

bool Running() { return running; }

void WhenIdle(std::function<void()> call) {
    if (running)
        waiting.push_back(std::move(call));
    else
        call();
}

}  // namespace alivework
