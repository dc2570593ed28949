// Move-only owner of one Windows handle. Each handle kind gets an alias below
// that names its type, how to close it and what "no handle" is.
#pragma once
#include "base/win.h"
#include <objbase.h>
#include <utility>

namespace kv {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept : handle_(Traits::invalid()) {}
    explicit UniqueHandle(Handle h) noexcept : handle_(h) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const noexcept { return handle_; }
    bool valid() const noexcept { return handle_ != Traits::invalid(); }
    explicit operator bool() const noexcept { return valid(); }

    Handle release() noexcept {
        Handle h = handle_;
        handle_ = Traits::invalid();
        return h;
    }
    void reset(Handle h = Traits::invalid()) noexcept {
        if (valid()) Traits::close(handle_);
        handle_ = h;
    }
    // For out-parameters of APIs: closes what is held and hands out the slot.
    Handle* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Handle handle_;
};

// What "no handle" is: null for most kinds, INVALID_HANDLE_VALUE for files
// and find handles.
enum class NoHandle { Null, MinusOne };

// One traits type for every kind: the handle type, the call that closes it
// and its "no handle" value.
template <typename Type, auto Close, NoHandle None = NoHandle::Null>
struct HandleTraits {
    using Handle = Type;
    static Handle invalid() noexcept {
        if constexpr (None == NoHandle::Null) {
            return nullptr;
        } else {
            return INVALID_HANDLE_VALUE;
        }
    }
    static void close(Handle h) noexcept { Close(h); }
};

using UniqueRegKey = UniqueHandle<HandleTraits<HKEY, &::RegCloseKey>>;
using UniqueFile = UniqueHandle<HandleTraits<HANDLE, &::CloseHandle, NoHandle::MinusOne>>;
// Processes, threads, events: null means none.
using UniqueKernelObject = UniqueHandle<HandleTraits<HANDLE, &::CloseHandle>>;
using UniqueFindHandle = UniqueHandle<HandleTraits<HANDLE, &::FindClose, NoHandle::MinusOne>>;
// Brushes, fonts and bitmaps: one type each, so no use casts.
using UniqueBrush = UniqueHandle<HandleTraits<HBRUSH, &::DeleteObject>>;
using UniqueFont = UniqueHandle<HandleTraits<HFONT, &::DeleteObject>>;
using UniqueBitmap = UniqueHandle<HandleTraits<HBITMAP, &::DeleteObject>>;
using UniqueMemoryDc = UniqueHandle<HandleTraits<HDC, &::DeleteDC>>;
using UniqueModule = UniqueHandle<HandleTraits<HMODULE, &::FreeLibrary>>;
using UniqueIcon = UniqueHandle<HandleTraits<HICON, &::DestroyIcon>>;

// Same ownership rules for COM interfaces: Release instead of close.
template <typename Interface>
void releaseInterface(Interface* object) noexcept {
    object->Release();
}
template <typename Interface>
using ComPtr = UniqueHandle<HandleTraits<Interface*, &releaseInterface<Interface>>>;

}  // namespace kv
