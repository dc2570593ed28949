#include "wizard/wizard_page.h"

#include "controls/label_control.h"
#include "install/install_state.h"
#include "wizard/wizard_frame.h"

namespace kv {

void WizardPage::OnShowWindow(bool show, int) {
    if (show) applyTexts();
}

void WizardPage::setFrameCaption(const char* text) const {
    if (installState.wizardFrame != nullptr) installState.wizardFrame->SetWindowText(text);
}

void WizardPage::setItemText(int id, const char* text) const {
    ::SetDlgItemTextA(handle(), id, text != nullptr ? text : "");
}

void WizardPage::styleHeading(LabelControl& heading, const char* title, int points) {
    heading.SetItalic(TRUE)
        .SetPointSize(points)
        .SetBold(TRUE)
        .SetLabelText(title != nullptr ? title : "")
        .SetForeground(kBlue);
}

void WizardPage::styleBody(LabelControl& label, const char* text, int points) {
    label.SetPointSize(points).SetLabelText(text != nullptr ? text : "");
}

}  // namespace kv
