#include "app/StatusLine.h"

#include "resources/Texts.h"

namespace {

// Digits in groups of three from the right, joined by commas: 12345 gives 12,345.
std::string GroupedDigits(int value) {
    std::string digits = std::to_string(value);
    const std::size_t sign = digits.front() == '-' ? 1 : 0;
    for (std::size_t at = digits.size(); at > sign + 3; at -= 3) digits.insert(at - 3, 1, ',');
    return digits;
}

}  // namespace

void StatusLine::SetText(std::string_view cp932) {
    if (cp932 == text_) return;
    text_ = cp932;
    bar_.ShowText(text_);
}

void StatusLine::ShowFolderCount(int folders) {
    if (folders == shownCount_) return;
    shownCount_ = folders;
    bar_.ShowCount(texts::Format(texts::kFolderCount, GroupedDigits(folders)));
}

void StatusLine::HideFolderCount() {
    if (shownCount_ < 0) return;
    shownCount_ = -1;
    bar_.HideCount();
}
