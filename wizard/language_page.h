// Page 0: the ten languages. Picking one reloads every text and re-labels
// the backdrop, the frame and this page at once.
#pragma once
#include "controls/label_control.h"
#include "res/resource_ids.h"
#include "wizard/wizard_page.h"

namespace kv {

class LanguagePage : public WizardPage {
public:
    LanguagePage();

    BEGIN_MSG_MAP(LanguagePage)
        COMMAND_HANDLER(IDC_LANGUAGE_LIST, LBN_SELCHANGE, OnSelectionChange)
        CHAIN_MSG_MAP(WizardPage)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override;
    void applyTexts() override;

private:
    LRESULT OnSelectionChange(WORD, WORD, HWND, bool&);
    void fillList() const;

    LabelControl heading_;
};

}  // namespace kv
