#include "wizard/language_page.h"

#include "install/install_state.h"
#include "common/language_strings.h"
#include "common/language_table.h"
#include "dialog/control_views.h"
#include "res/resource_ids.h"
#include "wizard/wizard_frame.h"

namespace kv {

namespace {
// Larger while the page is first shown; a language change restyles it at
// the size of every other heading.
constexpr int kShownHeadingPoints = 16;
}  // namespace

LanguagePage::LanguagePage() : WizardPage(IDD_LANGUAGE_PAGE) {}

bool LanguagePage::OnInitDialog() {
    WizardPage::OnInitDialog();
    heading_.SubclassWindow(GetDlgItem(IDC_HEADING));
    return true;
}

void LanguagePage::applyTexts() {
    const char* title = textOrEmpty(languageStrings.languagePageTitle);
    setFrameCaption(title);
    styleHeading(heading_, title, kShownHeadingPoints);
    fillList();
}

void LanguagePage::fillList() const {
    const ListBoxView list(GetDlgItem(IDC_LANGUAGE_LIST));
    list.ResetContent();
    for (int i = 0; i < kLanguageCount; ++i) list.AddString(languageNameAt(i));
    list.SetCurSel(installState.languageIndex);
}

LRESULT LanguagePage::OnSelectionChange(WORD, WORD, HWND, bool&) {
    const int selected = ListBoxView(GetDlgItem(IDC_LANGUAGE_LIST)).GetCurSel();
    if (selected == LB_ERR || selected < 0 || selected >= kLanguageCount) return 0;
    installState.languageIndex = static_cast<int>(selected);
    installState.languageCode = languageCodeAt(installState.languageIndex);
    if (!loadLanguageStrings(installState.sourceDir, installState.languageCode)) return 0;

    if (installState.mainWindow != nullptr) {
        installState.mainWindow->SetWindowText(textOrEmpty(languageStrings.mainWindowCaption));
        ::InvalidateRect(installState.mainWindow->handle(), nullptr, FALSE);
    }
    const char* title = textOrEmpty(languageStrings.languagePageTitle);
    setFrameCaption(title);
    styleHeading(heading_, title, kHeadingPoints);
    if (installState.wizardFrame != nullptr) installState.wizardFrame->applyButtonTexts();
    fillList();
    return 0;
}

}  // namespace kv
