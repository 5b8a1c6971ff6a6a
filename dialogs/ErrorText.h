#pragma once
#include <string>
#include <string_view>

// The text of the error box: the failure's message, with "." appended when its last
// character compares greater than "." (letters, digits, double-byte characters).
std::string ErrorBoxText(std::string_view message);
