#include "setup/gradient_background.h"

#include <new>

namespace kv {

std::unique_ptr<GradientBackground> createGradient() {
    std::unique_ptr<GradientBackground> gradient(new (std::nothrow) GradientBackground);
    if (!gradient) return nullptr;
    const int capacity = ::GetSystemMetrics(SM_CYSCREEN);
    if (capacity <= 0) return nullptr;
    gradient->capacity = capacity;
    gradient->brushes.reset(new (std::nothrow) UniqueBrush[capacity]);
    gradient->runs.reset(new (std::nothrow) GradientRun[capacity]);
    if (!gradient->brushes || !gradient->runs) return nullptr;
    return gradient;
}

bool setGradientColours(COLORREF start, COLORREF end, GradientBackground* gradient) {
    if (gradient == nullptr) return false;
    gradient->startColour = start;
    gradient->endColour = end;
    return true;
}

bool layoutGradient(const RECT& client, GradientBackground* gradient) {
    if (gradient == nullptr) return false;
    for (int i = 0; i < gradient->runCount; ++i) gradient->brushes[i].reset();
    gradient->runCount = 0;
    gradient->area = client;
    gradient->height = client.bottom - client.top;
    gradient->runCount = layoutGradientRuns(gradient->startColour, gradient->endColour,
                                            gradient->height, gradient->runs.get(),
                                            gradient->capacity);
    for (int i = 0; i < gradient->runCount; ++i)
        gradient->brushes[i].reset(::CreateSolidBrush(gradient->runs[i].colour));
    return true;
}

bool paintGradient(HDC dc, const GradientBackground* gradient) {
    if (gradient == nullptr || gradient->height <= 0) return false;
    for (int i = 0; i < gradient->runCount; ++i) {
        const GradientRun& run = gradient->runs[i];
        RECT band = {gradient->area.left, gradient->area.top + run.start, gradient->area.right,
                     gradient->area.top + run.end + 1};
        ::FillRect(dc, &band, gradient->brushes[i].get());
    }
    return true;
}

void destroyGradient(std::unique_ptr<GradientBackground>& gradient) { gradient.reset(); }

}  // namespace kv
