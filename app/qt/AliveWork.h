#pragma once
// Long work that leaves the window alive: the work runs on a worker thread while this
// thread waits in an event loop that paints, runs timers and posted calls and answers the
// window manager (its ping, and its close request, which stops the work), but holds user
// input (keys, mouse) until the work has ended. So nothing else starts meanwhile, as if the
// work ran here.
#include <functional>

#include "app/LongWork.h"

namespace alivework {

// Runs `work` to its end and returns then. The work must be Qt-free and touch nothing the
// event loop may use meanwhile. `tick` runs here about ten times a second while it lasts.
// A failure the work throws is thrown again here, on this thread. The input held meanwhile
// is delivered afterwards, unless `dropInput` then says the window is closing.
void Run(const std::function<void()>& work, const std::function<void()>& tick = {},
         const std::function<bool()>& dropInput = {});

// Whether Run is under way.
bool Running();

// Calls `call` now when no work runs, else once the work has ended, from the event loop.
void WhenIdle(std::function<void()> call);

}  // namespace alivework

// The Qt window's long work.
class AliveWork final : public LongWork {
public:
    void Run(const std::function<void()>& work, const std::function<void()>& tick) override {
        alivework::Run(work, tick, [this] { return StopRequested(); });
    }
    bool Running() const override { return alivework::Running(); }
    void WhenIdle(std::function<void()> call) override { alivework::WhenIdle(std::move(call)); }
};
