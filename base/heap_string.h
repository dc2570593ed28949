// A growable NUL-terminated byte string on the heap that never throws: when
// memory runs out it becomes the empty string and remembers that it failed,
// which callers treat as an absent text.
#pragma once
#include <cstddef>
#include <type_traits>
#include <utility>

namespace kv {

class String {
public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    String() noexcept = default;
    String(const char* text) noexcept;  // NOLINT: converts like a text literal
    String(const char* text, std::size_t length) noexcept;
    String(std::size_t count, char fill) noexcept;
    String(const String& other) noexcept : String(other.c_str(), other.size()) { failed_ = failed_ || other.failed_; }
    String(String&& other) noexcept;
    ~String();
    String& operator=(const String& other) noexcept;
    String& operator=(String&& other) noexcept;

    const char* c_str() const noexcept { return data_ ? data_ : ""; }
    // Writable bytes of the text; null only for the empty string.
    char* data() noexcept { return data_; }
    const char* data() const noexcept { return c_str(); }
    std::size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }
    // True once an allocation for this string has failed.
    bool failed() const noexcept { return failed_; }
    char& operator[](std::size_t i) noexcept { return data_[i]; }
    char operator[](std::size_t i) const noexcept { return data_[i]; }
    std::size_t find(char ch) const noexcept;
    // Copies into any string type made from bytes and a length (std::string
    // in test programs), without the engine itself depending on one.
    template <typename Other, typename = decltype(Other(static_cast<const char*>(nullptr), std::size_t()))>
    operator Other() const {
        return Other(c_str(), size());
    }

    String& append(const char* text, std::size_t length) noexcept;
    String& operator+=(const char* text) noexcept;
    String& operator+=(const String& text) noexcept { return append(text.c_str(), text.size()); }
    String& operator+=(char ch) noexcept { return append(&ch, 1); }
    // Cuts the text to at most `length` bytes (it never grows here).
    void resize(std::size_t length) noexcept;
    void clear() noexcept {
        resize(0);
        failed_ = false;
    }

private:
    bool reserve(std::size_t length) noexcept;
    void fail() noexcept;

    char* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
    bool failed_ = false;
};

String operator+(const String& left, const char* right) noexcept;
String operator+(const String& left, const String& right) noexcept;
bool operator==(const String& left, const char* right) noexcept;
inline bool operator==(const char* left, const String& right) noexcept { return right == left; }
inline bool operator==(const String& left, const String& right) noexcept { return left == right.c_str(); }
template <typename Other>
bool operator!=(const String& left, const Other& right) {
    return !(left == right);
}
template <typename Other, typename = std::enable_if_t<!std::is_same<Other, String>::value>>
bool operator!=(const Other& left, const String& right) {
    return !(right == left);
}
// Against other string types that have c_str() (std::string in test programs).
template <typename Other, typename = std::enable_if_t<!std::is_same<Other, String>::value>,
          typename = decltype(static_cast<const char*>(std::declval<const Other&>().c_str()))>
bool operator==(const Other& left, const String& right) {
    return right == left.c_str();
}
template <typename Other, typename = std::enable_if_t<!std::is_same<Other, String>::value>,
          typename = decltype(static_cast<const char*>(std::declval<const Other&>().c_str()))>
bool operator==(const String& left, const Other& right) {
    return left == right.c_str();
}

}  // namespace kv
