// CoInitialize for one scope; CoUninitialize only when this call initialised
// COM (S_OK or S_FALSE), so a failed call is not balanced.
#pragma once
#include "base/win.h"

#include <objbase.h>

namespace kv {

class ComInitialization {
public:
    ComInitialization() : result_(::CoInitialize(nullptr)) {}
    ~ComInitialization() {
        if (SUCCEEDED(result_)) ::CoUninitialize();
    }
    ComInitialization(const ComInitialization&) = delete;
    ComInitialization& operator=(const ComInitialization&) = delete;

private:
    HRESULT result_;
};

}  // namespace kv
