// CoInitialize for one scope; CoUninitialize only when this call initialised
// COM (S_OK or S_FALSE), so a failed call is not balanced. COM is loaded at
// the first scope that needs it, not with the engine.
#pragma once
#include "base/late_library.h"

#include <objbase.h>

namespace kv {

class ComInitialization {
public:
    ComInitialization()
        : uninitialize_(lateFunction<decltype(::CoUninitialize)>(LateLibrary::Ole32, "CoUninitialize")) {
        auto initialize = lateFunction<decltype(::CoInitialize)>(LateLibrary::Ole32, "CoInitialize");
        result_ = initialize && uninitialize_ ? initialize(nullptr) : E_FAIL;
    }
    ~ComInitialization() {
        if (SUCCEEDED(result_)) uninitialize_();
    }
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;

private:
    decltype(::CoUninitialize)* uninitialize_;
    HRESULT result_;
};

}  // namespace kv
