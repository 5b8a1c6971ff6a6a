#pragma once
#include <functional>
#include <string>
#include <string_view>

class QWidget;

// The event loop's error box: any failure a handler lets through ends here, is shown,
// and the program carries on.
namespace errorbox {

// Shows the box: the message with the "." rule, caption "Orvale", stop icon, one OK.
void Show(std::string_view cp932Message);

// Runs a handler; a failure it lets through is shown in the box.
void Guard(const std::function<void()>& handler);

// Test seam: while set, the box is not shown and its text is handed here instead.
void SetObserver(std::function<void(const std::string& text)> observer);

}  // namespace errorbox
