// Quoting a path in its 260-byte buffer, from any bytes, terminated or not:
// nothing is written past the buffer, a path that was quoted strips back to
// itself, and a refused quote leaves the path as it was.
#include "base/bounded_format.h"
#include "install/quote_path.h"
#include "fuzz_input.h"

#include <cstring>
#include <memory>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const bool add = data[0] & 1;
    // Exactly the buffer: an unterminated one too, so over-reads show.
    std::unique_ptr<char[]> path(new char[kv::kPathCapacity]);
    const std::size_t used = size - 1 < kv::kPathCapacity ? size - 1 : kv::kPathCapacity;
    std::memset(path.get(), 0, kv::kPathCapacity);
    std::memcpy(path.get(), data + 1, used);
    const std::size_t length = strnlen(path.get(), kv::kPathCapacity);
    const std::string before(path.get(), length);

    const bool done = kv::QuotePath(path.get(), add);
    if (length >= kv::kPathCapacity) {
        FUZZ_CHECK(!done);
        return 0;
    }
    const std::string after(path.get());
    if (!add) {
        FUZZ_CHECK(done);
        FUZZ_CHECK(before[0] != '"' ? after == before : after.size() + 1 == before.size() ||
                                                            after.size() + 2 == before.size());
        return 0;
    }
    if (!done) {
        FUZZ_CHECK(after == before);
        return 0;
    }
    if (after != before) {
        FUZZ_CHECK(after == "\"" + before + "\"");
        FUZZ_CHECK(kv::QuotePath(path.get(), false));
        FUZZ_CHECK(before == path.get());
    }
    return 0;
}
