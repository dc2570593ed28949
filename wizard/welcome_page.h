// Page 1: greets the user and names the product. Text only.
#pragma once
#include "controls/label_control.h"
#include "wizard/wizard_page.h"

namespace kv {

class WelcomePage : public WizardPage {
public:
    WelcomePage();

protected:
    bool OnInitDialog() override;
    void applyTexts() override;

private:
    // Heading 1000 and the texts 1003 to 1009, in id order.
    static constexpr int kLabelCount = 8;
    LabelControl labels_[kLabelCount];
};

}  // namespace kv
