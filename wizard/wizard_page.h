// One page of the wizard: a hidden child dialog of the frame that puts all of
// its texts (and the frame's caption) in place each time it is shown, so a
// language chosen meanwhile always reaches it.
#pragma once
#include "dialog/dialog.h"

#include "base/heap_string.h"

namespace kv {

class LabelControl;

class WizardPage : public Dialog {
public:
    explicit WizardPage(int templateId) : Dialog(templateId) {}

protected:
    // Called after the default handling of every show notification that
    // says the page is being shown.
    virtual void applyTexts() = 0;

    void OnShowWindow(bool show, int status) override;
    // Enter and Esc never reach a page (the frame filters them); a stray
    // confirm or cancel command must not hide the page either.
    void OnOK() override {}
    void OnCancel() override {}

    void setFrameCaption(const char* text) const;
    void setItemText(int id, const char* text) const;
    String itemText(int id) const;
    // The one heading style of every page: italic, bold, blue, `points` high.
    static void styleHeading(LabelControl& heading, const char* title, int points);
    // A body label: `points` high; bold and coloured when asked.
    static void styleBody(LabelControl& label, const char* text, int points);
};

constexpr COLORREF kBlue = 0x00FF0000;
constexpr COLORREF kRed = 0x000000FF;
constexpr int kHeadingPoints = 15;
constexpr int kBodyPoints = 9;

}  // namespace kv
