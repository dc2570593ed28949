// The bands of a label's horizontal colour gradient. Pure arithmetic with no
// Windows calls, so that it can be checked on any machine.
#pragma once
#include "base/colour_word.h"
#include "base/heap_vector.h"

#include <cstdint>

namespace kv {

struct GradientBand {
    int left;   // first column
    int right;  // one past the last column
    ColourWord colour;
};

// Splits [left, right) into at most `bandCount` bands (never more than one
// per column) running from `start` to `end`. Each channel advances by a
// fixed step of (end - start) * 256 / bands in 1/256 units, truncated; the
// last band takes the columns the equal widths leave over. No bands for an
// empty or inverted range or a band count below 1, nor when memory runs out.
Vector<GradientBand> gradientBands(int left, int right, ColourWord start, ColourWord end,
                                        int bandCount);

}  // namespace kv
