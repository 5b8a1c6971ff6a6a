#pragma once
// What the tree pane's hover tip shows of a label it cuts off: the whole label, or, for one
// of 80 characters or more, its first 79.
#include <string>
#include <string_view>

namespace treetip {

inline constexpr std::size_t kTipLimit = 80;

std::u16string TipText(std::u16string_view label);

}  // namespace treetip
