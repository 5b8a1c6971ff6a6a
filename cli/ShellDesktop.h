#pragma once
// The keyboard of a shell: Ctrl+C is its ESC.
#include <functional>

#include "platform/Desktop.h"

namespace cli {

// While one lives, the first Ctrl+C is remembered for the scan's ESC polls to find, and a
// second one ends the program at once. Each poll also runs `onPoll`, the scan's only call
// out while it runs.
class ShellDesktop final : public platform::Desktop {
public:
    ShellDesktop();
    ~ShellDesktop() override;
    ShellDesktop(const ShellDesktop&) = delete;
    ShellDesktop& operator=(const ShellDesktop&) = delete;

    bool EscapeDown() override;
    // The scan never beeps; a shell program keeps quiet.
    void Beep() override {}

    // Whether Ctrl+C has been pressed since this desktop began.
    static bool Interrupted();

    std::function<void()> onPoll;
};

}  // namespace cli
