#pragma once
// The colour of a file's label in the tree pane, in both windows.
#include <cstdint>

// Halfway from the text's colour to the background's, channel by channel, so that folders
// stand out among files at a glance whatever the desktop's colours. Colours are three 8-bit
// channels in the low 24 bits, in either order (0xRRGGBB or a COLORREF's 0xBBGGRR).
constexpr std::uint32_t FileColour(std::uint32_t text, std::uint32_t background) {
    std::uint32_t colour = 0;
    for (int shift = 0; shift < 24; shift += 8)
        colour |= ((((text >> shift) & 0xFF) + ((background >> shift) & 0xFF)) / 2) << shift;
    return colour;
}
