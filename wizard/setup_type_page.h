// Page 2: the two product variants as two radio buttons. The page only shows
// the choice; the frame captures it when the user goes on with Next.
#pragma once
#include "controls/label_control.h"
#include "wizard/wizard_page.h"

namespace kv {

class SetupTypePage : public WizardPage {
public:
    SetupTypePage();

    // Selects the first option (or the second) and clears the other.
    void showChoice(bool first) const;
    bool firstSelected() const;

protected:
    bool OnInitDialog() override;
    void applyTexts() override;

private:
    LabelControl heading_, text_, firstLabel_, secondLabel_;
};

}  // namespace kv
