// A colour word as Windows writes it (0x00BBGGRR) and its channels, as plain
// arithmetic that pure code and the host-built checks can use.
#pragma once
#include <cstdint>

namespace kv {

using ColourWord = std::uint32_t;

// The 8-bit channel at `shift`: 0 red, 8 green, 16 blue.
constexpr int colourChannel(ColourWord colour, int shift) { return static_cast<int>((colour >> shift) & 0xFF); }

}  // namespace kv
