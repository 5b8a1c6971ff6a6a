#include "tree/TipText.h"

namespace treetip {

std::u16string TipText(std::u16string_view label) {
    return std::u16string(label.size() >= kTipLimit ? label.substr(0, kTipLimit - 1) : label);
}

}  // namespace treetip
