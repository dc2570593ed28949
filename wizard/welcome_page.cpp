#include "wizard/welcome_page.h"

#include "base/bounded_format.h"
#include "common/language_strings.h"
#include "common/setup_config.h"
#include "res/resource_ids.h"

#include "base/heap_string.h"

namespace kv {

namespace {
constexpr int kLabelIds[] = {IDC_HEADING,       IDC_WELCOME_TEXT1, IDC_WELCOME_PRODUCT,
                             IDC_WELCOME_TEXT2, IDC_WELCOME_TEXT3, IDC_WELCOME_TEXT4,
                             IDC_WELCOME_TEXT5, IDC_WELCOME_TEXT6};
// The product line is indented by nine spaces under the first text.
constexpr char kProductIndent[] = "         ";
}  // namespace

WelcomePage::WelcomePage() : WizardPage(IDD_WELCOME_PAGE) {}

bool WelcomePage::OnInitDialog() {
    WizardPage::OnInitDialog();
    for (int i = 0; i < kLabelCount; ++i) labels_[i].SubclassWindow(GetDlgItem(kLabelIds[i]));
    return true;
}

void WelcomePage::applyTexts() {
    const LanguageStrings& s = languageStrings;
    const char* title = textOrEmpty(s.welcomeTitle);
    setFrameCaption(title);
    styleHeading(labels_[0], title, kHeadingPoints);
    styleBody(labels_[1], textOrEmpty(s.welcomeText1), kBodyPoints);

    const String product = String(kProductIndent) + textOrEmpty(setupConfig.productName);
    styleBody(labels_[2], product.c_str(), kBodyPoints);
    labels_[2].SetBold(TRUE).SetForeground(kBlue);

    styleBody(labels_[3], textOrEmpty(s.welcomeText2), kBodyPoints);
    styleBody(labels_[4], textOrEmpty(s.welcomeText3), kBodyPoints);
    styleBody(labels_[5], textOrEmpty(s.welcomeText4), kBodyPoints);
    styleBody(labels_[6], textOrEmpty(s.welcomeText5), 10);
    labels_[6].SetBold(TRUE).SetForeground(kRed);
    styleBody(labels_[7], textOrEmpty(s.welcomeText6), kBodyPoints);
}

}  // namespace kv
