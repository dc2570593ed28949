// Ranges, colours and band counts through the gradient arithmetic, checking
// what must hold for every input: the bands tile the range without gaps or
// overlaps, there are min(count, width) of them, the first has the start
// colour, and each channel moves monotonically from start towards end
// without passing it.
#include "controls/gradient_bands.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const int left = static_cast<int>(in.word());
    const int right = static_cast<int>(in.word());
    const kv::ColourWord start = in.word(), end = in.word();
    // A 16-bit count keeps the vector small while every range stays possible.
    const int count = static_cast<int>(static_cast<std::int16_t>(in.word() & 0xFFFF));
    const long long width = static_cast<long long>(right) - left;

    const auto bands = kv::gradientBands(left, right, start, end, count);
    if (width <= 0 || count < 1) {
        FUZZ_CHECK(bands.empty());
        return 0;
    }
    FUZZ_CHECK(static_cast<long long>(bands.size()) == (width < count ? width : count));
    FUZZ_CHECK(bands.front().left == left && bands.back().right == right);
    FUZZ_CHECK(bands.front().colour == (start & 0xFFFFFF));
    for (std::size_t i = 0; i < bands.size(); ++i) {
        FUZZ_CHECK(bands[i].left < bands[i].right);
        if (i > 0) FUZZ_CHECK(bands[i].left == bands[i - 1].right);
        for (int shift : {0, 8, 16}) {
            const int from = kv::colourChannel(start, shift), to = kv::colourChannel(end, shift);
            const int value = kv::colourChannel(bands[i].colour, shift);
            FUZZ_CHECK(value >= (from < to ? from : to) && value <= (from < to ? to : from));
            if (i > 0) {
                const int previous = kv::colourChannel(bands[i - 1].colour, shift);
                FUZZ_CHECK(from <= to ? value >= previous : value <= previous);
            }
        }
    }
    return 0;
}
