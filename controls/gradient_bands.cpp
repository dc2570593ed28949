#include "controls/gradient_bands.h"

namespace kv {

Vector<GradientBand> gradientBands(int left, int right, ColourWord start, ColourWord end,
                                        int bandCount) {
    Vector<GradientBand> bands;
    if (right <= left || bandCount < 1) return bands;
    // In 64 bits: a range from INT_MIN to INT_MAX is wider than an int.
    const long long width = static_cast<long long>(right) - left;
    const int count = width < bandCount ? static_cast<int>(width) : bandCount;
    const int divisor = count > 1 ? count : 1;

    const int shifts[3] = {0, 8, 16};
    int step[3];
    int accumulator[3];
    for (int c = 0; c < 3; ++c) {
        step[c] = (colourChannel(end, shifts[c]) - colourChannel(start, shifts[c])) * 256 / divisor;
        accumulator[c] = colourChannel(start, shifts[c]) * 256;
    }
    const long long bandWidth = width / divisor;

    if (!bands.reserve(static_cast<std::size_t>(count))) return bands;
    long long x = left;
    for (int i = 0; i < count; ++i) {
        const long long bandRight = (i == count - 1) ? right : x + bandWidth;
        ColourWord colour = 0;
        for (int c = 0; c < 3; ++c)
            colour |= static_cast<ColourWord>(accumulator[c] / 256) << shifts[c];
        bands.push_back({static_cast<int>(x), static_cast<int>(bandRight), colour});
        for (int c = 0; c < 3; ++c) accumulator[c] += step[c];
        x = bandRight;
    }
    return bands;
}

}  // namespace kv
