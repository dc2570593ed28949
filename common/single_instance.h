// One setup or uninstall at a time on a machine: the launcher, the engine and
// the uninstaller each hold one named mutex while they run. The name lives in
// the global namespace from NT 5 on (Terminal Services give every session its
// own namespace); earlier systems have one namespace and no "Global\" prefix.
#pragma once
#include "base/unique_handle.h"

namespace kv {

// True on NT 5 and later, where names may carry a "Global\" prefix.
bool systemHasSessionNamespaces();
// The mutex's name on this system.
const char* setupMutexName();

class SetupInstanceLock {
public:
    enum class Outcome { Acquired, Busy, Failed };
    // Busy when another process holds the mutex (or made it with rights we do
    // not have); a mutex left by a process that died counts as free. The same
    // thread may acquire it again (a mutex is recursive), so a launcher that
    // holds it can call an engine that asks for it too.
    Outcome acquire();
    bool held() const { return held_; }
    ~SetupInstanceLock() { release(); }
    void release();

private:
    UniqueKernelObject mutex_;
    bool held_ = false;
};

}  // namespace kv
