// The main window's backdrop: a vertical gradient painted with one solid
// brush per run of equal colour.
#pragma once
#include "base/unique_handle.h"
#include "setup/gradient_layout.h"

#include <memory>

namespace kv {

struct GradientBackground {
    std::unique_ptr<UniqueBrush[]> brushes;      // capacity slots, one per run
    std::unique_ptr<GradientRun[]> runs;         // capacity slots
    RECT area = {};
    COLORREF startColour = 0xFF0000;
    COLORREF endColour = 0x000000;
    std::int32_t runCount = 0;
    std::int32_t capacity = 0;
    std::int32_t height = 0;
};

// Null when memory is short. Capacity is the screen height.
std::unique_ptr<GradientBackground> createGradient();
bool setGradientColours(COLORREF start, COLORREF end, GradientBackground* gradient);
bool layoutGradient(const RECT& client, GradientBackground* gradient);
bool paintGradient(HDC dc, const GradientBackground* gradient);
void destroyGradient(std::unique_ptr<GradientBackground>& gradient);

}  // namespace kv
