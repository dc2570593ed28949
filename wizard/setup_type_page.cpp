#include "wizard/setup_type_page.h"

#include "core/install_state.h"
#include "core/language_strings.h"
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
    ::SendMessageA(GetDlgItem(IDC_FIRST_OPTION), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageA(GetDlgItem(IDC_SECOND_OPTION), BM_SETCHECK, BST_UNCHECKED, 0);
    ::SendMessageA(GetDlgItem(first ? IDC_FIRST_OPTION : IDC_SECOND_OPTION), BM_SETCHECK,
                   BST_CHECKED, 0);
}

bool SetupTypePage::firstSelected() const {
    return ::SendMessageA(GetDlgItem(IDC_FIRST_OPTION), BM_GETCHECK, 0, 0) == BST_CHECKED;
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
    showChoice(installState.setupTypeFirst != 0);
}

}  // namespace kv
