// Page 5: the last words before the installation. Text only.
#pragma once
#include "controls/label_control.h"
#include "wizard/wizard_page.h"

namespace kv {

class InformationPage : public WizardPage {
public:
    InformationPage();

protected:
    bool OnInitDialog() override;
    void applyTexts() override;

private:
    LabelControl heading_;
    LabelControl text_;
};

}  // namespace kv
