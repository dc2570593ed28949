// How a label lays out its text, chosen from its static-control style.
#pragma once
#include <cstdint>

namespace kv {

// DrawText format flags for a static control of `style` showing `text`:
// SS_CENTER centred and word-wrapped, SS_RIGHT right-aligned and wrapped,
// SS_LEFTNOWORDWRAP plain left, anything else left and wrapped; with
// SS_CENTERIMAGE a one-line text is centred both ways, a text with "\r\n"
// only horizontally.
unsigned labelTextFormat(std::uint32_t style, const char* text);

}  // namespace kv
