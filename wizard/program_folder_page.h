// Page 4: the Start-menu folder for the shortcuts, typed or picked from the
// folders that already exist there. The frame takes it on Next.
#pragma once
#include "controls/edit_ex.h"
#include "controls/label_control.h"
#include "res/resource_ids.h"
#include "wizard/wizard_page.h"

#include "base/heap_string.h"

namespace kv {

class ProgramFolderPage : public WizardPage {
public:
    ProgramFolderPage();

    const String& folderText() const { return folderText_; }
    bool editHasText() const;

    BEGIN_MSG_MAP(ProgramFolderPage)
        COMMAND_HANDLER(IDC_FOLDER_LIST, LBN_SELCHANGE, OnFolderSelected)
        COMMAND_HANDLER(IDC_FOLDER_EDIT, EN_CHANGE, OnEditChange)
        CHAIN_MSG_MAP(WizardPage)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
    void applyTexts() override;

private:
    LRESULT OnFolderSelected(WORD, WORD, HWND, bool&);
    LRESULT OnEditChange(WORD, WORD, HWND, bool&);
    void listExistingFolders(const String& programsFolder) const;

    LabelControl heading_, text_;
    CEditEx edit_;
    String folderText_;
};

}  // namespace kv
