#include "wizard/finish_page.h"

#include "common/language_strings.h"
#include "common/setup_config.h"
#include "common/text_rules.h"
#include "dialog/control_views.h"
#include "res/resource_ids.h"

namespace kv {

FinishPage::FinishPage() : WizardPage(IDD_FINISH_PAGE) {}

bool FinishPage::OnInitDialog() {
    WizardPage::OnInitDialog();
    heading_.SubclassWindow(GetDlgItem(IDC_HEADING));
    text_.SubclassWindow(GetDlgItem(IDC_FINISH_TEXT));
    return true;
}

bool FinishPage::restartNowSelected() const {
    return ButtonView(GetDlgItem(IDC_RESTART_NOW)).GetCheck() == BST_CHECKED;
}

void FinishPage::applyTexts() {
    const LanguageStrings& s = languageStrings;
    const char* title = textOrEmpty(s.finishTitle);
    setFrameCaption(title);
    styleHeading(heading_, title, kHeadingPoints);
    // The language file's text is not a format: only its one "%s" is filled.
    const String finished =
        fillStringPlaceholder(textOrEmpty(s.finishText), textOrEmpty(setupConfig.displayName));
    styleBody(text_, finished.c_str(), kBodyPoints);
    setItemText(IDC_RESTART_TEXT, textOrEmpty(s.restartText));
    ButtonView(GetDlgItem(InstallCompleted != 0 ? IDC_RESTART_NOW : IDC_RESTART_LATER)).SetCheck(BST_CHECKED);
    setItemText(IDC_RESTART_NOW, textOrEmpty(s.restartNowLabel));
    setItemText(IDC_RESTART_LATER, textOrEmpty(s.restartLaterLabel));
}

}  // namespace kv
