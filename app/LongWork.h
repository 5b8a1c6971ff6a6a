#pragma once
// Long work (a scan, memo creation) as each window runs it: the work runs to its end while
// the window stays alive (it paints, answers the window manager, the count field moves)
// and user input waits, so that nothing else starts meanwhile, as if the work ran on the
// window's own thread. A close request meanwhile stops it (RequestStop).
#include <atomic>
#include <functional>

class LongWork {
public:
    virtual ~LongWork() = default;

    // Runs `work` to its end and returns then. The work touches nothing the window uses
    // meanwhile. `tick`, when given, runs on the window's thread about ten times a second
    // while it lasts. A failure the work throws is thrown again here.
    virtual void Run(const std::function<void()>& work, const std::function<void()>& tick) = 0;
    // Whether Run is under way.
    virtual bool Running() const = 0;
    // Calls `call` now when no work runs, else once the work has ended and the handler that
    // ran it has returned: for what would start work of its own (a drop, the command line,
    // closing the window).
    virtual void WhenIdle(std::function<void()> call) = 0;

    // Asks every work from now on to stop as ESC held down stops a scan; it holds for the
    // rest of the window's life. Any thread may ask whether it was asked for.
    void RequestStop() { stop_.store(true, std::memory_order_relaxed); }
    bool StopRequested() const { return stop_.load(std::memory_order_relaxed); }

protected:
    LongWork() = default;
    LongWork(const LongWork&) = delete;
    LongWork& operator=(const LongWork&) = delete;

private:
    std::atomic<bool> stop_ = false;
};
