// The common progress bar, as a window object bound to a dialog item.
#pragma once
#include "dialog/window.h"

namespace kv {

class ProgressBar : public Window {
public:
    void SetRange(int lower, int upper) const;
    void SetPos(int position) const;
};

}  // namespace kv
