#include "wizard/page_list.h"

#include <new>

namespace kv {

PageList::~PageList() { clear(); }

void PageList::clear() {
    for (int i = 0; i < count_; ++i) {
        pages_[i]->DestroyWindow();
        pages_[i].reset();
    }
    count_ = 0;
    shownIndex_ = -1;
}

bool PageList::AddPage(int templateId, HWND frame) {
    if (count_ == kCapacity) return false;
    std::unique_ptr<WizardPage> page = makePage(templateId);
    if (!page) return false;
    if (!page->Create(templateId, frame) || !page->IsWindow()) return false;

    RECT frameRect = {}, pageRect = {};
    ::GetWindowRect(frame, &frameRect);
    ::GetWindowRect(page->handle(), &pageRect);
    const int x = (frameRect.right - frameRect.left) - (pageRect.right - pageRect.left) - 5;
    ::SetWindowPos(page->handle(), nullptr, x, 1, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);

    pages_[count_++] = std::move(page);
    return true;
}

void PageList::showAndRepaint(WizardPage& page) {
    page.ShowWindow(SW_SHOW);
    ::InvalidateRect(page.handle(), nullptr, TRUE);
    ::RedrawWindow(page.handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool PageList::ShowPage(int index) {
    if (index > count() - 1) return false;
    if (index < -1) return false;
    if (index != -1) {
        if (shownIndex_ != -1) {
            WizardPage& shown = *pages_[shownIndex_];
            if (!shown.IsWindow()) return false;
            shown.ShowWindow(SW_HIDE);
        }
        shownIndex_ = index;
    } else if (shownIndex_ == -1) {
        shownIndex_ = 0;
    }
    if (shownIndex_ >= count() || !pages_[shownIndex_]->IsWindow()) return false;
    showAndRepaint(*pages_[shownIndex_]);
    return true;
}

WizardPage* PageList::PageAt(int index) const {
    if (index < 0 || index >= count() || !pages_[index]->IsWindow()) return nullptr;
    return pages_[index].get();
}

WizardPage* PageList::CurrentPage() {
    WizardPage* page = PageAt(shownIndex_);
    if (page != nullptr) showAndRepaint(*page);
    return page;
}

}  // namespace kv
