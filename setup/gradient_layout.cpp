#include "setup/gradient_layout.h"

#include "base/colour_word.h"

#include <initializer_list>

namespace kv {
namespace {

std::uint32_t channelAt(int start, int end, int row, int height) {
    if (start == end) return static_cast<std::uint32_t>(start);
    const double value = (static_cast<double>(end) - static_cast<double>(start)) * row / height +
                         static_cast<double>(start);
    return static_cast<std::uint32_t>(value) & 0xFF;
}

}  // namespace

std::uint32_t gradientRowColour(std::uint32_t startColour, std::uint32_t endColour, int row,
                                int height) {
    std::uint32_t colour = 0;
    for (int shift : {0, 8, 16})
        colour |= channelAt(colourChannel(startColour, shift), colourChannel(endColour, shift), row, height)
                  << shift;
    return colour;
}

int layoutGradientRuns(std::uint32_t startColour, std::uint32_t endColour, int height,
                       GradientRun* runs, int capacity) {
    if (height <= 0 || runs == nullptr || capacity <= 0) return 0;
    int count = 0;
    std::uint32_t previous = 0xFFFFFF;
    int openStart = -1;
    std::uint32_t colour = previous;
    auto addRun = [&](int start, int end, std::uint32_t runColour) {
        if (count < capacity) {
            runs[count++] = {start, end, runColour};
        } else {
            runs[count - 1].end = end;  // full: the last run reaches further down
        }
    };
    for (int row = 0; row < height; ++row) {
        colour = gradientRowColour(startColour, endColour, row, height);
        if (colour != previous) {
            if (openStart >= 0) addRun(openStart, row, colour);
            openStart = row;
        }
        previous = colour;
    }
    // A gradient that starts white never saw a change at row 0.
    addRun(openStart >= 0 ? openStart : 0, height, colour);
    return count;
}

}  // namespace kv
