// Page 3: the destination folder, typed or chosen with the folder browser.
// A typed folder is taken by the frame on Next; a browsed one at once.
#pragma once
#include "controls/edit_ex.h"
#include "controls/label_control.h"
#include "res/resource_ids.h"
#include "wizard/wizard_page.h"

#include "base/heap_string.h"

namespace kv {

class DestinationPage : public WizardPage {
public:
    DestinationPage();

    // The edit's text as of the last data exchange.
    const String& folderText() const { return folderText_; }

    BEGIN_MSG_MAP(DestinationPage)
        COMMAND_HANDLER(IDC_BROWSE, BN_CLICKED, OnBrowse)
        CHAIN_MSG_MAP(WizardPage)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override;
    void DoDataExchange(DataExchange& exchange) override;
    void applyTexts() override;

private:
    LRESULT OnBrowse(WORD, WORD, HWND, bool&);

    LabelControl heading_, sizeLabel_;
    CEditEx edit_;
    String folderText_;
};

}  // namespace kv
