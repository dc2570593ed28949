// A growable array on the heap that never throws: when memory runs out it
// keeps what it holds and push_back reports false. For trivially copyable
// elements only, which is all the engine stores in one.
#pragma once
#include <cstddef>
#include <cstring>
#include <new>
#include <type_traits>

namespace kv {

template <typename T>
class Vector {
    static_assert(std::is_trivially_copyable<T>::value, "elements are moved as bytes");

public:
    Vector() noexcept = default;
    Vector(const Vector&) = delete;
    Vector& operator=(const Vector&) = delete;
    Vector(Vector&& other) noexcept : items_(other.items_), size_(other.size_), capacity_(other.capacity_) {
        other.items_ = nullptr;
        other.size_ = other.capacity_ = 0;
    }
    ~Vector() { delete[] reinterpret_cast<unsigned char*>(items_); }

    std::size_t size() const noexcept { return size_; }
    bool empty() const noexcept { return size_ == 0; }
    T& operator[](std::size_t i) noexcept { return items_[i]; }
    const T& operator[](std::size_t i) const noexcept { return items_[i]; }
    const T& front() const noexcept { return items_[0]; }
    const T& back() const noexcept { return items_[size_ - 1]; }
    const T* begin() const noexcept { return items_; }
    const T* end() const noexcept { return items_ + size_; }

    bool reserve(std::size_t count) noexcept {
        if (count <= capacity_) return true;
        if (count > static_cast<std::size_t>(-1) / sizeof(T)) return false;
        auto* bytes = new (std::nothrow) unsigned char[count * sizeof(T)];
        if (bytes == nullptr) return false;
        if (size_ > 0) std::memcpy(bytes, items_, size_ * sizeof(T));
        delete[] reinterpret_cast<unsigned char*>(items_);
        items_ = reinterpret_cast<T*>(bytes);
        capacity_ = count;
        return true;
    }

    bool push_back(const T& item) noexcept {
        if (size_ == capacity_ && !reserve(capacity_ ? capacity_ * 2 : 8)) return false;
        std::memcpy(static_cast<void*>(items_ + size_), &item, sizeof(T));
        ++size_;
        return true;
    }

private:
    T* items_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

}  // namespace kv
