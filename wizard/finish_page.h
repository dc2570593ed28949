// Page 6: setup has finished; restart now or later. The frame reads the
// choice when the user presses Finish. After an install that stopped (and
// was taken back) it says so instead and offers no restart.
#pragma once
#include "controls/label_control.h"
#include "wizard/wizard_page.h"

#include <cstdint>

namespace kv {

class FinishPage : public WizardPage {
public:
    FinishPage();

    bool restartNowSelected() const;

    // Set by the frame once the installation has run, before the page shows;
    // it preselects restarting now.
    std::int32_t InstallCompleted = 0;

protected:
    bool OnInitDialog() override;
    void applyTexts() override;

private:
    LabelControl heading_, text_;
};

}  // namespace kv
