// The maximized backdrop of the whole setup: a blue-to-black gradient with
// the product title, owning the wizard frame in front of it and keeping the
// keyboard focus there. Its modal run returns the frame's end code, or 2
// when the backdrop itself is closed.
#pragma once
#include "setup/gradient_background.h"
#include "dialog/dialog.h"
#include "wizard/wizard_frame.h"

#include <memory>
#include "base/heap_string.h"

namespace kv {

class SetupMainWindow : public Dialog {
public:
    SetupMainWindow();

    WizardFrame& frame() { return frame_; }

    // What the last paint drew, for checks of the title and the backdrop.
    struct PaintRecord {
        String titleFace;
        int titleHeight = 0;
        int gradientFills = 0;
    };
    const PaintRecord& lastPaint() const { return lastPaint_; }

    bool PreTranslateMessage(MSG* message) override;

    BEGIN_MSG_MAP(SetupMainWindow)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
        MESSAGE_HANDLER(WM_QUERYDRAGICON, OnQueryDragIcon)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
        CHAIN_MSG_MAP(Dialog)
    END_MSG_MAP()

protected:
    bool OnInitDialog() override;
    void OnShowWindow(bool show, int status) override;

private:
    LRESULT OnPaint(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnEraseBackground(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnQueryDragIcon(UINT, WPARAM, LPARAM, bool&);
    LRESULT OnDestroy(UINT, WPARAM, LPARAM, bool&);

    void paintBackdrop(HDC dc);
    void paintIcon();
    void focusFrame() const;

    std::unique_ptr<GradientBackground> gradient_;
    HICON icon_ = nullptr;  // a shared resource icon: not destroyed
    WizardFrame frame_;
    PaintRecord lastPaint_;
};

}  // namespace kv
