#include "wizard/information_page.h"

#include "common/language_strings.h"
#include "res/resource_ids.h"

namespace kv {

InformationPage::InformationPage() : WizardPage(IDD_INFORMATION_PAGE) {}

bool InformationPage::OnInitDialog() {
    WizardPage::OnInitDialog();
    heading_.SubclassWindow(GetDlgItem(IDC_HEADING));
    text_.SubclassWindow(GetDlgItem(IDC_INFORMATION_TEXT));
    return true;
}

void InformationPage::applyTexts() {
    const char* title = textOrEmpty(languageStrings.informationTitle);
    setFrameCaption(title);
    styleHeading(heading_, title, kHeadingPoints);
    styleBody(text_, textOrEmpty(languageStrings.informationText), kBodyPoints);
}

}  // namespace kv
