#pragma once
// Long work on Windows: the work runs on a worker thread while the window's thread paints,
// takes the messages the system and other threads send or post (a close request among them),
// and ticks, leaving the user's input queued until the work ends, so nothing else starts
// meanwhile. A click on the window's close box while it runs asks the work to stop.
#include <windows.h>

#include <functional>
#include <vector>

#include "app/LongWork.h"

class AliveWork final : public LongWork {
public:
    AliveWork();
    ~AliveWork() override;

    void Run(const std::function<void()>& work, const std::function<void()>& tick) override;
    bool Running() const override { return running_; }
    void WhenIdle(std::function<void()> call) override;

    // The window whose close box is watched while work runs, and what a click on it does.
    void WatchCloseBox(HWND window, std::function<void()> onClose);

private:
    static LRESULT CALLBACK CallerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void ServeWindow();
    void RunWaiting();

    HWND caller_;  // a message-only window that runs the waiting calls from the message loop
    bool running_ = false;
    bool stopAsked_ = false;
    std::vector<std::function<void()>> waiting_;
    HWND watched_ = nullptr;
    std::function<void()> onClose_;
};
