// Rows of a vertical colour gradient grouped into runs of equal colour, so a
// paint costs one fill per colour instead of one per row. No Windows calls.
#pragma once
#include <cstdint>

namespace kv {

struct GradientRun {
    std::int32_t start;   // first row, relative to the top of the area
    std::int32_t end;     // row that ends the run; the fill includes it
    std::uint32_t colour; // 0x00BBGGRR of the row that ends the run
};

// Colour of row `row` of `height` rows, channel by channel.
std::uint32_t gradientRowColour(std::uint32_t startColour, std::uint32_t endColour, int row,
                                int height);

// Writes the runs for `height` rows into runs[capacity] and returns their
// count. Never writes more than `capacity` runs: past that, the last run is
// stretched to the bottom.
int layoutGradientRuns(std::uint32_t startColour, std::uint32_t endColour, int height,
                       GradientRun* runs, int capacity);

}  // namespace kv
