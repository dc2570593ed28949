#include "base/heap_string.h"

#include <cstring>
#include <new>

namespace kv {

String::String(const char* text) noexcept {
    if (text != nullptr) append(text, std::strlen(text));
}

String::String(const char* text, std::size_t length) noexcept { append(text, length); }

String::String(std::size_t count, char fill) noexcept {
    if (count == 0 || !reserve(count)) return;
    std::memset(data_, fill, count);
    size_ = count;
    data_[size_] = '\0';
}

String::String(String&& other) noexcept
    : data_(other.data_), size_(other.size_), capacity_(other.capacity_), failed_(other.failed_) {
    other.data_ = nullptr;
    other.size_ = other.capacity_ = 0;
}

String::~String() { delete[] data_; }

String& String::operator=(const String& other) noexcept {
    if (this != &other) {
        size_ = 0;
        if (data_) data_[0] = '\0';
        failed_ = false;
        append(other.c_str(), other.size());
    }
    return *this;
}

String& String::operator=(String&& other) noexcept {
    if (this != &other) {
        delete[] data_;
        data_ = other.data_;
        size_ = other.size_;
        capacity_ = other.capacity_;
        failed_ = other.failed_;
        other.data_ = nullptr;
        other.size_ = other.capacity_ = 0;
    }
    return *this;
}

std::size_t String::find(char ch) const noexcept {
    for (std::size_t i = 0; i < size_; ++i)
        if (data_[i] == ch) return i;
    return npos;
}

bool String::reserve(std::size_t length) noexcept {
    if (length < capacity_) return true;
    if (failed_) return false;
    std::size_t grown = capacity_ * 2;
    if (grown < length + 1) grown = length + 1;
    char* bigger = new (std::nothrow) char[grown];
    if (bigger == nullptr) {
        fail();
        return false;
    }
    if (data_) std::memcpy(bigger, data_, size_ + 1);
    delete[] data_;
    data_ = bigger;
    capacity_ = grown;
    return true;
}

void String::fail() noexcept {
    delete[] data_;
    data_ = nullptr;
    size_ = capacity_ = 0;
    failed_ = true;
}

String& String::append(const char* text, std::size_t length) noexcept {
    if (length == 0 || text == nullptr) return *this;
    if (!reserve(size_ + length)) return *this;
    std::memmove(data_ + size_, text, length);
    size_ += length;
    data_[size_] = '\0';
    return *this;
}

String& String::operator+=(const char* text) noexcept {
    return text ? append(text, std::strlen(text)) : *this;
}

void String::resize(std::size_t length) noexcept {
    if (length >= size_) return;
    size_ = length;
    data_[size_] = '\0';
}

String operator+(const String& left, const char* right) noexcept {
    String joined(left);
    joined += right;
    return joined;
}

String operator+(const String& left, const String& right) noexcept {
    String joined(left);
    joined += right;
    return joined;
}

bool operator==(const String& left, const char* right) noexcept {
    if (right == nullptr) right = "";
    return std::strlen(right) == left.size() && std::memcmp(left.c_str(), right, left.size()) == 0;
}

}  // namespace kv
