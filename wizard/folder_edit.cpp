#include "wizard/folder_edit.h"

namespace kv {

void attachFolderEdit(CEditEx& edit, HWND dialog, int id) {
    const HWND control = ::GetDlgItem(dialog, id);
    edit.SubclassWindow(control);
    edit.SetBackgroundColor(0x00FFFFFF);
    edit.SetForegroundColor(0x00FF0000);
    edit.SetEditFont(-12, 800, 0, "Times New Roman");
    ::SendMessageA(control, EM_LIMITTEXT, kFolderTextLimit, 0);
}

}  // namespace kv
