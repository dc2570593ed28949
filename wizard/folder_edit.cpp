#include "wizard/folder_edit.h"

#include "dialog/control_views.h"

namespace kv {

void attachFolderEdit(CEditEx& edit, HWND dialog, int id) {
    const HWND control = ::GetDlgItem(dialog, id);
    edit.SubclassWindow(control);
    edit.SetBackgroundColor(0x00FFFFFF);
    edit.SetForegroundColor(0x00FF0000);
    edit.SetEditFont(-12, 800, 0, "Times New Roman");
    EditView(control).LimitText(kFolderTextLimit);
}

}  // namespace kv
