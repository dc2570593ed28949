// Random ranges, colours and band counts through the gradient arithmetic,
// checking what must hold for every input: the bands tile the range without
// gaps or overlaps, there are min(count, width) of them, the first has the
// start colour, and each channel moves monotonically from start towards end
// without passing it. Built for the build machine; no Windows involved.
#include "controls/gradient_bands.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace {

int failures = 0;

void expect(bool condition, const char* what, long long a, long long b, long long c) {
    if (condition) return;
    if (++failures <= 20) std::printf("FAILED %s (%lld, %lld, %lld)\n", what, a, b, c);
}


void check(int left, int right, kv::ColourWord start, kv::ColourWord end, int count) {
    const auto bands = kv::gradientBands(left, right, start, end, count);
    const long long width = static_cast<long long>(right) - left;
    if (width <= 0 || count < 1) {
        expect(bands.empty(), "no bands for an empty range or count", left, right, count);
        return;
    }
    const long long expected = width < count ? width : count;
    expect(static_cast<long long>(bands.size()) == expected, "band count", left, right, count);
    if (bands.empty()) return;
    expect(bands.front().left == left, "first band starts the range", left, right, count);
    expect(bands.back().right == right, "last band ends the range", left, right, count);
    expect(bands.front().colour == (start & 0xFFFFFF), "first band has the start colour", left, right, count);
    for (std::size_t i = 0; i < bands.size(); ++i) {
        expect(bands[i].left < bands[i].right, "band not empty", left, right, static_cast<long long>(i));
        if (i > 0) expect(bands[i].left == bands[i - 1].right, "bands touch", left, right, static_cast<long long>(i));
        for (int shift : {0, 8, 16}) {
            const int from = kv::colourChannel(start, shift), to = kv::colourChannel(end, shift);
            const int value = kv::colourChannel(bands[i].colour, shift);
            const int low = from < to ? from : to, high = from < to ? to : from;
            expect(value >= low && value <= high, "channel between start and end", from, to, value);
            if (i > 0) {
                const int previous = kv::colourChannel(bands[i - 1].colour, shift);
                expect(from <= to ? value >= previous : value <= previous, "channel monotonic", from, to, value);
            }
        }
    }
}

}  // namespace

int main() {
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> colour(0, 0xFFFFFF);
    std::uniform_int_distribution<int> small(-50, 2000);
    std::uniform_int_distribution<int> counts(-2, 300);
    for (int i = 0; i < 200000; ++i) {
        const int left = small(random);
        check(left, left + small(random), static_cast<kv::ColourWord>(colour(random)),
              static_cast<kv::ColourWord>(colour(random)), counts(random));
    }
    // Extremes of the coordinate range and of the colour words.
    check(INT_MIN, INT_MAX, 0x000000, 0xFFFFFF, 100);
    check(INT_MIN, INT_MIN + 1, 0xFFFFFFFF, 0, 100);
    check(INT_MAX - 3, INT_MAX, 0x123456, 0x654321, 100);
    check(0, 1000, 0xFF000000, 0x00FFFFFF, INT_MAX);
    std::printf("%s: %d failures\n", failures ? "FAILED" : "passed", failures);
    return failures ? 1 : 0;
}
