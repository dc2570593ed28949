// The library's templates create real windows: every control class exists,
// the pictures and the clip load, and the radio buttons group as intended.
#include "base/module_instance.h"
#include "dialog/dialog.h"
#include "res/resource_ids.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace {

struct TemplateCase {
    int id;
    bool child;
    std::vector<int> controls;
};

}  // namespace

TEST(ProductTemplates, EveryTemplateCreatesWithAllItsControls) {
    kv::Dialog host(IDD_EXIT_CONFIRM);
    ASSERT_TRUE(host.Create(nullptr));
    const TemplateCase cases[] = {
        {IDD_MAIN_WINDOW, false, {}},
        {IDD_WIZARD_FRAME, false, {300, 1011, 1001, 1002, 1010}},
        {IDD_LANGUAGE_PAGE, true, {1000, 1014}},
        {IDD_WELCOME_PAGE, true, {1000, 1003, 1004, 1005, 1006, 1007, 1008, 1009}},
        {IDD_SETUP_TYPE_PAGE, true, {1000, 1003, 1001, 1004, 1002, 1005}},
        {IDD_DESTINATION_PAGE, true, {1000, 1003, 1005, 1018, 1019, 1008, 1009}},
        {IDD_PROGRAM_FOLDER_PAGE, true, {1000, 1003, 1005, 1018, 1006, 1014}},
        {IDD_INFORMATION_PAGE, true, {1000, 1003}},
        {IDD_FINISH_PAGE, true, {1000, 1003, 1006, 1016, 1020}},
        {IDD_EXIT_CONFIRM, false, {1000, 1001, 1002, IDOK, IDCANCEL}},
        {IDD_INSTALL_PROGRESS, false, {1024, 1022, 1000}},
    };
    for (const TemplateCase& c : cases) {
        SCOPED_TRACE(c.id);
        kv::Dialog dialog(c.id);
        ASSERT_TRUE(dialog.Create(c.child ? host.handle() : nullptr));
        for (int id : c.controls) EXPECT_NE(nullptr, dialog.GetDlgItem(id)) << "control " << id;
        if (c.child) EXPECT_FALSE(dialog.IsWindowVisible());
    }
}

TEST(ProductTemplates, PicturesAndClipLoadFromTheModule) {
    kv::Dialog frame(IDD_WIZARD_FRAME);
    ASSERT_TRUE(frame.Create(nullptr));
    HBITMAP side = reinterpret_cast<HBITMAP>(
        ::SendMessageA(frame.GetDlgItem(IDC_SIDE_PICTURE), STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(nullptr, side);
    BITMAP info{};
    ASSERT_TRUE(::GetObjectA(side, sizeof(info), &info));
    EXPECT_EQ(121, info.bmWidth);
    EXPECT_EQ(262, info.bmHeight);

    kv::Dialog progress(IDD_INSTALL_PROGRESS);
    ASSERT_TRUE(progress.Create(nullptr));
    HWND icon = ::GetWindow(progress.handle(), GW_CHILD);  // the first control, id -1
    ASSERT_NE(nullptr, icon);
    EXPECT_NE(0, ::SendMessageA(icon, STM_GETICON, 0, 0));
    EXPECT_TRUE(::SendMessageA(progress.GetDlgItem(IDC_COPY_ANIMATION), ACM_OPENA,
                               reinterpret_cast<WPARAM>(kv::moduleInstance()), IDR_COPY_CLIP));
    EXPECT_FALSE(::IsWindowVisible(progress.GetDlgItem(IDC_STATUS_LABEL)));
}

TEST(ProductTemplates, RadioButtonsOfAPageFormOneGroup) {
    kv::Dialog host(IDD_EXIT_CONFIRM);
    ASSERT_TRUE(host.Create(nullptr));
    const int pairs[][3] = {{IDD_SETUP_TYPE_PAGE, IDC_FIRST_OPTION, IDC_SECOND_OPTION},
                            {IDD_FINISH_PAGE, IDC_RESTART_NOW, IDC_RESTART_LATER}};
    for (const auto& pair : pairs) {
        SCOPED_TRACE(pair[0]);
        kv::Dialog page(pair[0]);
        ASSERT_TRUE(page.Create(host.handle()));
        HWND first = page.GetDlgItem(pair[1]);
        HWND second = page.GetDlgItem(pair[2]);
        ::SendMessageA(second, BM_CLICK, 0, 0);
        ::SendMessageA(first, BM_CLICK, 0, 0);
        EXPECT_EQ(BST_CHECKED, ::SendMessageA(first, BM_GETCHECK, 0, 0));
        EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(second, BM_GETCHECK, 0, 0));
        ::SendMessageA(second, BM_CLICK, 0, 0);
        EXPECT_EQ(BST_UNCHECKED, ::SendMessageA(first, BM_GETCHECK, 0, 0));
    }
}
