#pragma once
#include <functional>
#include <string_view>

// The event loop's error box: any failure a handler lets through ends here, is shown,
// and the program carries on.
namespace errorbox {

// Shows the box: the message with the "." rule, caption "Orvale", stop icon, one OK.
void Show(std::string_view cp932Message);

// Runs a handler; a failure it lets through is shown in the box.
void Guard(const std::function<void()>& handler);

}  // namespace errorbox
