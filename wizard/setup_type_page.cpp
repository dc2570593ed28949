#include "wizard/setup_type_page.h"

#include "install/install_state.h"
#include "common/language_strings.h"
#include "dialog/control_views.h"
#include "res/resource_ids.h"

namespace kv {

SetupTypePage::SetupTypePage() : WizardPage(IDD_SETUP_TYPE_PAGE) {}

bool SetupTypePage::OnInitDialog() {
    WizardPage::OnInitDialog();
    heading_.SubclassWindow(GetDlgItem(IDC_HEADING));
    text_.SubclassWindow(GetDlgItem(IDC_SETUP_TYPE_TEXT));
    firstLabel_.SubclassWindow(GetDlgItem(IDC_FIRST_OPTION_LABEL));
    secondLabel_.SubclassWindow(GetDlgItem(IDC_SECOND_OPTION_LABEL));
    return true;
}

void SetupTypePage::showChoice(bool first) const {
    ButtonView(GetDlgItem(IDC_FIRST_OPTION)).SetCheck(BST_UNCHECKED);
    ButtonView(GetDlgItem(IDC_SECOND_OPTION)).SetCheck(BST_UNCHECKED);
    ButtonView(GetDlgItem(first ? IDC_FIRST_OPTION : IDC_SECOND_OPTION)).SetCheck(BST_CHECKED);
}

bool SetupTypePage::firstSelected() const {
    return ButtonView(GetDlgItem(IDC_FIRST_OPTION)).GetCheck() == BST_CHECKED;
}

void SetupTypePage::applyTexts() {
    const LanguageStrings& s = languageStrings;
    const char* title = textOrEmpty(s.setupTypeTitle);
    setFrameCaption(title);
    styleHeading(heading_, title, kHeadingPoints);
    styleBody(text_, textOrEmpty(s.setupTypeText), kBodyPoints);
    styleBody(firstLabel_, textOrEmpty(s.firstOptionLabel), kBodyPoints);
    firstLabel_.SetBold(TRUE).SetForeground(kBlue);
    styleBody(secondLabel_, textOrEmpty(s.secondOptionLabel), kBodyPoints);
    secondLabel_.SetBold(TRUE).SetForeground(kBlue);
    showChoice(installState.setupTypeFirst);
}

}  // namespace kv
