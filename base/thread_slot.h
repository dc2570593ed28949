// One pointer per thread in a kernel thread-local slot. The shipped modules
// link no runtime that would carry the compiler's own thread-locals.
#pragma once
#include "base/win.h"

namespace kv {

template <typename T>
class ThreadSlot {
public:
    ThreadSlot() : index_(::TlsAlloc()) {}
    ~ThreadSlot() {
        if (index_ != TLS_OUT_OF_INDEXES) ::TlsFree(index_);
    }
    ThreadSlot(const ThreadSlot&) = delete;
    ThreadSlot& operator=(const ThreadSlot&) = delete;

    // Null on a thread that set nothing, or when no slot was free.
    T* get() const { return index_ == TLS_OUT_OF_INDEXES ? nullptr : static_cast<T*>(::TlsGetValue(index_)); }
    void set(T* value) const {
        if (index_ != TLS_OUT_OF_INDEXES) ::TlsSetValue(index_, value);
    }

private:
    DWORD index_;
};

}  // namespace kv
