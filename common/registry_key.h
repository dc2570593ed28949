// A registry key named by a predefined root and a remembered path. No handle
// outlives an operation: each one opens the key with the access it needs.
#pragma once
#include "base/win.h"
#include "base/heap_string.h"

namespace kv {

class RegistryKey {
public:
    // Longest string value written, and the data limit of reads.
    static constexpr unsigned kMaxWrittenChars = 254;
    static constexpr unsigned kReadBufferSize = 256;
    static constexpr unsigned kMaxReadBytes = 255;

    RegistryKey() = default;
    ~RegistryKey() { Reset(); }
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    void Reset();
    int SetRoot(HKEY key);
    int Open(const char* subkey, bool create);
    int KeyExists(const char* subkey, HKEY rootOrNone = nullptr);
    int DeleteKey(const char* subkey);
    int DeleteValue(const char* name);
    DWORD GetValueType(const char* name);
    String ReadString(const char* name, const char* defaultValue);
    DWORD ReadDword(const char* name, DWORD defaultValue);
    // Copies at most 255 bytes into out (which holds at least 255); 0 on failure.
    DWORD ReadValueBytes(const char* name, BYTE* out);
    int WriteString(const char* name, const char* value);
    int WriteDword(const char* name, DWORD value);

    LONG lastError() const { return lastError_; }
    HKEY root() const { return root_; }
    const String& path() const { return path_; }
    int lazyFlush() const { return lazyFlush_; }
    void setLazyFlush(int lazy) { lazyFlush_ = lazy; }

private:
    LONG openCurrent(REGSAM access, HKEY* key) const;

    LONG lastError_ = 0;
    HKEY root_ = HKEY_CURRENT_USER;
    int lazyFlush_ = 1;
    String path_;
};

}  // namespace kv
