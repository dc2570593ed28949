// Moving values between a dialog's controls and its fields. A dialog lists
// its exchanges in DoDataExchange; UpdateData(false) fills the controls,
// UpdateData(true) reads them back.
#pragma once
#include "base/win.h"

#include <cstddef>
#include "base/heap_string.h"

namespace kv {

class Dialog;
class Window;

class DataExchange {
public:
    DataExchange(Dialog& dialog, bool saving) : dialog_(dialog), saving_(saving) {}

    // True when reading controls into fields, false when filling controls.
    bool saving() const { return saving_; }
    Dialog& dialog() const { return dialog_; }
    // The dialog item; a missing item fails the exchange.
    HWND item(int id);
    void fail() { failed_ = true; }
    bool failed() const { return failed_; }

private:
    Dialog& dialog_;
    bool saving_;
    bool failed_ = false;
};

// Text of an edit (or any window text). With maxLength > 0 the edit accepts
// at most that many characters; a longer text found when reading back fails
// the exchange and leaves `text` as it was.
void exchangeText(DataExchange& exchange, int id, String& text, std::size_t maxLength = 0);
// Text into a fixed buffer: never more than capacity - 1 characters and the
// terminator, cut on a character boundary.
void exchangeText(DataExchange& exchange, int id, char* buffer, std::size_t capacity);
template <std::size_t N>
void exchangeText(DataExchange& exchange, int id, char (&buffer)[N]) {
    exchangeText(exchange, id, buffer, N);
}
// Check state of a check box or radio button (BST_UNCHECKED, BST_CHECKED, ...).
void exchangeCheck(DataExchange& exchange, int id, int& state);
// Attaches a control object to the dialog item by subclassing, once.
void exchangeControl(DataExchange& exchange, int id, Window& control);

// Length of the longest prefix of `text` of at most `limit` bytes that does
// not end inside a double-byte character of the ANSI code page.
std::size_t characterBoundary(const char* text, std::size_t length, std::size_t limit);

}  // namespace kv
