#include "dialog/data_exchange.h"

#include "base/bounded_format.h"
#include "common/multibyte_text.h"
#include "dialog/control_views.h"
#include "dialog/dialog.h"

#include <cstring>
#include <utility>

namespace kv {

HWND DataExchange::item(int id) {
    HWND window = dialog_.GetDlgItem(id);
    if (window == nullptr) fail();
    return window;
}

std::size_t characterBoundary(const char* text, std::size_t length, std::size_t limit) {
    return characterBoundary(text, length, limit, &isAnsiLeadByte);
}

void exchangeText(DataExchange& exchange, int id, String& text, std::size_t maxLength) {
    HWND item = exchange.item(id);
    if (item == nullptr) return;
    if (exchange.saving()) {
        String read = windowText(item);
        // A longer text can only have been put there by a program: refused
        // whole, since a cut folder name would name some other folder.
        if (maxLength > 0 && read.size() > maxLength) return exchange.fail();
        text = std::move(read);
        return;
    }
    if (maxLength > 0) EditView(item).LimitText(maxLength);
    ::SetWindowTextA(item, text.c_str());
}

void exchangeText(DataExchange& exchange, int id, char* buffer, std::size_t capacity) {
    HWND item = exchange.item(id);
    if (item == nullptr || buffer == nullptr || capacity == 0) return;
    if (exchange.saving()) {
        const String read = windowText(item);
        const std::size_t kept = characterBoundary(read.c_str(), read.size(), capacity - 1);
        std::memcpy(buffer, read.data(), kept);
        buffer[kept] = '\0';
        return;
    }
    EditView(item).LimitText(capacity - 1);
    const std::size_t length = strnlen(buffer, capacity);
    if (length < capacity) {
        ::SetWindowTextA(item, buffer);
    } else {
        // An unterminated buffer: show what fits rather than read past it.
        String shown(buffer, characterBoundary(buffer, capacity, capacity - 1));
        ::SetWindowTextA(item, shown.c_str());
    }
}

void exchangeCheck(DataExchange& exchange, int id, int& state) {
    HWND item = exchange.item(id);
    if (item == nullptr) return;
    const ButtonView button(item);
    if (exchange.saving())
        state = button.GetCheck();
    else
        button.SetCheck(state);
}

void exchangeControl(DataExchange& exchange, int id, Window& control) {
    if (control.handle() != nullptr) return;
    HWND item = exchange.item(id);
    if (item == nullptr) return;
    if (!control.SubclassWindow(item)) exchange.fail();
}

}  // namespace kv
