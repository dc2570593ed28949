#include "wizard/finish_page.h"

#include "common/language_strings.h"
#include "common/setup_config.h"
#include "common/text_rules.h"
#include "dialog/control_views.h"
#include "install/install_state.h"
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

namespace {

// A language file from before these texts existed must still not let the
// page read as a success.
constexpr char kStoppedTitleFallback[] = "Setup Not Completed";
constexpr char kStoppedTextFallback[] = "Setup could not install %s.";
constexpr char kStoppedReasonFallback[] =
    "Setup could not write to the destination disk, which may be full. Everything it had installed has been "
    "removed. Free some disk space, then run Setup again.";

const char* textOr(const OwnedText& text, const char* fallback) { return text ? text.get() : fallback; }

}  // namespace

void FinishPage::applyTexts() {
    const LanguageStrings& s = languageStrings;
    // An install that stopped was taken back: nothing to restart for.
    const bool stopped = installState.installStopped;
    const char* title = stopped ? textOr(s.stoppedTitle, kStoppedTitleFallback) : textOrEmpty(s.finishTitle);
    setFrameCaption(title);
    styleHeading(heading_, title, kHeadingPoints);
    // The language file's text is not a format: only its one "%s" is filled.
    const char* text = stopped ? textOr(s.stoppedText, kStoppedTextFallback) : textOrEmpty(s.finishText);
    const String shown = fillStringPlaceholder(text, textOrEmpty(setupConfig.displayName));
    styleBody(text_, shown.c_str(), kBodyPoints);
    setItemText(IDC_RESTART_TEXT,
                stopped ? textOr(s.stoppedReasonText, kStoppedReasonFallback) : textOrEmpty(s.restartText));
    ButtonView(GetDlgItem(InstallCompleted != 0 ? IDC_RESTART_NOW : IDC_RESTART_LATER)).SetCheck(BST_CHECKED);
    setItemText(IDC_RESTART_NOW, textOrEmpty(s.restartNowLabel));
    setItemText(IDC_RESTART_LATER, textOrEmpty(s.restartLaterLabel));
    for (const int radio : {IDC_RESTART_NOW, IDC_RESTART_LATER})
        ::ShowWindow(GetDlgItem(radio), stopped ? SW_HIDE : SW_SHOW);
}

}  // namespace kv
