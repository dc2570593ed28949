#include "setup/gradient_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<kv::GradientRun> layout(int height, int capacity = 2000,
                                    std::uint32_t start = 0xFF0000, std::uint32_t end = 0) {
    std::vector<kv::GradientRun> runs(capacity > 0 ? capacity : 1);
    runs.resize(kv::layoutGradientRuns(start, end, height, runs.data(), capacity));
    return runs;
}

std::uint32_t blue(std::uint32_t colour) { return (colour >> 16) & 0xFF; }

}  // namespace

TEST(GradientLayout, EveryOneOf256RowsHasItsOwnBlue) {
    for (int row = 0; row < 256; ++row)
        EXPECT_EQ(static_cast<std::uint32_t>(255 - row) << 16,
                  kv::gradientRowColour(0xFF0000, 0, row, 256));
    const auto runs = layout(256);
    ASSERT_EQ(256u, runs.size());
    EXPECT_EQ(0, runs.front().start);
    EXPECT_EQ(256, runs.back().end);
    // Each run takes the colour of the row that ends it; the last one the last row's.
    EXPECT_EQ(254u, blue(runs[0].colour));
    EXPECT_EQ(0u, blue(runs.back().colour));
    for (std::size_t i = 1; i < runs.size(); ++i) EXPECT_EQ(runs[i - 1].end, runs[i].start);
}

TEST(GradientLayout, ThousandRowsGiveRunsOfAboutFourRows) {
    const auto runs = layout(1000);
    EXPECT_EQ(256u, runs.size());
    for (std::size_t i = 1; i + 1 < runs.size(); ++i) {
        const int rows = runs[i].end - runs[i].start;
        EXPECT_GE(rows, 3);
        EXPECT_LE(rows, 5);
        EXPECT_EQ(blue(runs[i].colour) + 1, blue(runs[i - 1].colour));
    }
    EXPECT_EQ(1000, runs.back().end);
}

TEST(GradientLayout, NeverMoreRunsThanCapacity) {
    EXPECT_TRUE(layout(0).empty());
    EXPECT_TRUE(layout(-5).empty());
    const auto runs = layout(1000, 10);
    ASSERT_EQ(10u, runs.size());
    EXPECT_EQ(1000, runs.back().end);  // the area is still covered
    EXPECT_TRUE(layout(100, 0).empty());
    EXPECT_EQ(1u, layout(300, 2000, 0x123456, 0x123456).size());
    const auto white = layout(5, 10, 0xFFFFFF, 0xFFFFFF);
    ASSERT_EQ(1u, white.size());
    EXPECT_EQ(0, white[0].start);
    EXPECT_EQ(5, white[0].end);
}
