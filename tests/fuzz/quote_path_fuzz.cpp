// Quoting a path in its 260-byte buffer, from any bytes, terminated or not:
// nothing is written past the buffer, a path that was quoted strips back to
// itself, and a refused quote leaves the path as it was. A registered
// command made from a folder and a name is the joined path, quoted exactly
// when it holds a blank, and never holds a quote of its own.
#include "base/bounded_format.h"
#include "install/command_path.h"
#include "install/quote_path.h"
#include "fuzz_input.h"

#include <cstring>
#include <memory>

namespace {

void checkCommandPath(const std::string& bytes) {
    const std::size_t cut = bytes.find('\0');
    const std::string folder = bytes.substr(0, cut);
    const std::string name = cut == std::string::npos ? "" : bytes.substr(cut + 1).c_str();
    char command[kv::kPathCapacity];
    const bool made = kv::buildCommandPath(command, folder.c_str(), name.c_str());
    const std::string joined = folder + "\\" + name;
    const bool blank = joined.find(' ') != std::string::npos;
    const bool quote = joined.find('"') != std::string::npos;
    const std::size_t length = joined.size() + (blank ? 2 : 0);
    FUZZ_CHECK(made == (!quote && length < kv::kPathCapacity));
    FUZZ_CHECK(made ? command == (blank ? "\"" + joined + "\"" : joined) : command[0] == '\0');
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    checkCommandPath(std::string(reinterpret_cast<const char*>(data), size));
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
