#include "wizard/program_folder_page.h"

#include "base/bounded_format.h"
#include "base/unique_handle.h"
#include "common/language_strings.h"
#include "common/setup_config.h"
#include "common/shared_folders.h"
#include "dialog/control_views.h"
#include "res/resource_ids.h"
#include "wizard/folder_edit.h"

#include <cstring>

namespace kv {

ProgramFolderPage::ProgramFolderPage()
    : WizardPage(IDD_PROGRAM_FOLDER_PAGE), folderText_(textOrEmpty(setupConfig.programFolder)) {}

bool ProgramFolderPage::OnInitDialog() {
    WizardPage::OnInitDialog();
    heading_.SubclassWindow(GetDlgItem(IDC_HEADING));
    text_.SubclassWindow(GetDlgItem(IDC_PROGRAM_FOLDER_TEXT));
    attachFolderEdit(edit_, handle(), IDC_FOLDER_EDIT);
    return true;
}

void ProgramFolderPage::DoDataExchange(DataExchange& exchange) {
    exchangeText(exchange, IDC_FOLDER_EDIT, folderText_, kFolderTextLimit);
}

bool ProgramFolderPage::editHasText() const {
    return ::GetWindowTextLengthA(GetDlgItem(IDC_FOLDER_EDIT)) > 0;
}

void ProgramFolderPage::applyTexts() {
    const LanguageStrings& s = languageStrings;
    const String programs = startMenuProgramsFolder();
    const char* title = textOrEmpty(s.programFolderTitle);
    setFrameCaption(title);
    styleHeading(heading_, title, kHeadingPoints);
    setItemText(IDC_FOLDER_EDIT, textOrEmpty(setupConfig.programFolder));
    listExistingFolders(programs);
    text_.SetLabelText(textOrEmpty(s.programFolderText));
    setItemText(IDC_PROGRAM_FOLDER_LABEL, textOrEmpty(s.programFolderLabel));
    setItemText(IDC_EXISTING_FOLDERS_LABEL, textOrEmpty(s.existingFoldersLabel));
}

void ProgramFolderPage::listExistingFolders(const String& programsFolder) const {
    const ListBoxView list(GetDlgItem(IDC_FOLDER_LIST));
    char pattern[kPathCapacity];
    // A programs folder too long for a path lists nothing.
    const bool havePattern = formatInto(pattern, "%s\\*.*", programsFolder.c_str());
    list.ResetContent();
    if (!havePattern) return;
    WIN32_FIND_DATAA entry = {};
    UniqueFindHandle search(::FindFirstFileA(pattern, &entry));
    if (!search) return;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) continue;
        if (std::strcmp(entry.cFileName, ".") == 0 || std::strcmp(entry.cFileName, "..") == 0)
            continue;
        list.AddString(entry.cFileName);
    } while (::FindNextFileA(search.get(), &entry));
}

LRESULT ProgramFolderPage::OnFolderSelected(WORD, WORD, HWND, bool&) {
    const ListBoxView list(GetDlgItem(IDC_FOLDER_LIST));
    const int selected = list.GetCurSel();
    if (selected == LB_ERR) return 0;
    const String name = list.GetText(selected);
    if (name.empty()) return 0;
    folderText_ = name;
    setItemText(IDC_FOLDER_EDIT, folderText_.c_str());
    return 0;
}

LRESULT ProgramFolderPage::OnEditChange(WORD, WORD, HWND, bool&) {
    folderText_ = windowText(GetDlgItem(IDC_FOLDER_EDIT));
    return 0;
}

}  // namespace kv
