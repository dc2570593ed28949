#include "common/single_instance.h"

namespace kv {

bool systemHasSessionNamespaces() {
    const DWORD version = ::GetVersion();
    return (version & 0x80000000u) == 0 && LOBYTE(LOWORD(version)) >= 5;
}

const char* setupMutexName() {
    return systemHasSessionNamespaces() ? "Global\\TARNWELDMouseSetupRunning" : "TARNWELDMouseSetupRunning";
}

SetupInstanceLock::Outcome SetupInstanceLock::acquire() {
    if (held_) return Outcome::Acquired;
    if (!mutex_) {
        mutex_.reset(::CreateMutexA(nullptr, FALSE, setupMutexName()));
        if (!mutex_) return ::GetLastError() == ERROR_ACCESS_DENIED ? Outcome::Busy : Outcome::Failed;
    }
    switch (::WaitForSingleObject(mutex_.get(), 0)) {
        case WAIT_OBJECT_0:
        case WAIT_ABANDONED: held_ = true; return Outcome::Acquired;
        case WAIT_TIMEOUT: return Outcome::Busy;
        default: return Outcome::Failed;
    }
}

void SetupInstanceLock::release() {
    if (held_) ::ReleaseMutex(mutex_.get());
    held_ = false;
    mutex_.reset();
}

}  // namespace kv
