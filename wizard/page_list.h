// The frame's pages in their fixed order, and which one is on screen.
#pragma once
#include "wizard/wizard_page.h"

#include <memory>

namespace kv {

// A new page object for a page template id; null for an unknown id or when
// memory is short.
std::unique_ptr<WizardPage> makePage(int templateId);

class PageList {
public:
    PageList() = default;
    // Destroys the pages' windows and then the pages, first page first.
    ~PageList();
    PageList(const PageList&) = delete;
    PageList& operator=(const PageList&) = delete;

    // Creates the page for `templateId` as a hidden child of `frame` and puts
    // it at the right of the frame's client area, one pixel from the top.
    // False, with nothing appended, when the page or its window cannot be
    // created or the table is full: navigation counts on every listed page having a window.
    bool AddPage(int templateId, HWND frame);
    // Hides the shown page and shows page `index`; -1 re-shows the shown page
    // (page 0 when none was shown yet). False for an index past the end or a
    // page without a window.
    bool ShowPage(int index);
    // The page at `index`, or null when there is none or it has no window.
    WizardPage* PageAt(int index) const;
    // Shows and repaints the shown page and returns it (null without a window).
    WizardPage* CurrentPage();

    int count() const { return count_; }
    void clear();

private:
    static void showAndRepaint(WizardPage& page);

    // A fixed table: the wizard has seven pages, and adding one never
    // allocates beyond the page itself.
    static constexpr int kCapacity = 16;
    std::unique_ptr<WizardPage> pages_[kCapacity];
    int count_ = 0;
    int shownIndex_ = -1;
};

}  // namespace kv
