#include "wizard/destination_page.h"

#include "base/bounded_format.h"
#include "controls/folder_dialog.h"
#include "install/install_state.h"
#include "common/language_strings.h"
#include "common/setup_config.h"
#include "common/text_rules.h"
#include "res/resource_ids.h"
#include "wizard/folder_edit.h"

#include <shlobj.h>

namespace kv {

namespace {
constexpr char kBrowseTitle[] = "Select the Directory you wish to monitor...";
constexpr char kSpaceRequired[] = "2.00 MB.";
}  // namespace

DestinationPage::DestinationPage()
    : WizardPage(IDD_DESTINATION_PAGE), folderText_(installState.destinationDir) {}

bool DestinationPage::OnInitDialog() {
    WizardPage::OnInitDialog();
    heading_.SubclassWindow(GetDlgItem(IDC_HEADING));
    sizeLabel_.SubclassWindow(GetDlgItem(IDC_SPACE_VALUE));
    attachFolderEdit(edit_, handle(), IDC_FOLDER_EDIT);
    return true;
}

void DestinationPage::DoDataExchange(DataExchange& exchange) {
    exchangeText(exchange, IDC_FOLDER_EDIT, folderText_, kFolderTextLimit);
}

void DestinationPage::applyTexts() {
    const LanguageStrings& s = languageStrings;
    const char* title = textOrEmpty(s.destinationTitle);
    setFrameCaption(title);
    styleHeading(heading_, title, kHeadingPoints);
    styleBody(sizeLabel_, kSpaceRequired, kBodyPoints);
    sizeLabel_.SetForeground(kBlue).SetBold(TRUE);
    setItemText(IDC_FOLDER_EDIT, installState.destinationDir);
    // The language file's text is not a format: only its one "%s" is filled.
    setItemText(IDC_DESTINATION_TEXT,
                fillStringPlaceholder(textOrEmpty(s.destinationText),
                                      textOrEmpty(setupConfig.displayName))
                    .c_str());
    setItemText(IDC_DESTINATION_TEXT2, textOrEmpty(s.destinationText2));
    setItemText(IDC_SPACE_LABEL, textOrEmpty(s.spaceRequiredLabel));
    setItemText(IDC_BROWSE, textOrEmpty(s.browseButtonText));
}

LRESULT DestinationPage::OnBrowse(WORD, WORD, HWND, bool&) {
    const String current = windowText(GetDlgItem(IDC_FOLDER_EDIT));
    CFolderDialog browser(kBrowseTitle, current.c_str(), handle(), BIF_RETURNONLYFSDIRS);
    if (browser.RunModal() != 1) return 0;
    if (!copyInto(installState.destinationDir, browser.selectedPath())) return 0;
    folderText_ = installState.destinationDir;
    setItemText(IDC_FOLDER_EDIT, installState.destinationDir);
    return 0;
}

}  // namespace kv
