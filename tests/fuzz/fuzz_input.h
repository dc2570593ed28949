// What the fuzz targets share: a failed check aborts with what failed, and
// the fuzzer's bytes are read as numbers and texts.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#define FUZZ_CHECK(condition)                                                     \
    do {                                                                          \
        if (!(condition)) {                                                       \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, \
                         #condition);                                             \
            std::abort();                                                         \
        }                                                                         \
    } while (0)

namespace fuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    std::uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::uint32_t word() {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) value = value << 8 | byte();
        return value;
    }
    // Bytes up to the next 0x00 (or the end), without it.
    std::string text() {
        std::string out;
        while (at_ < size_ && data_[at_] != 0) out += static_cast<char>(data_[at_++]);
        if (at_ < size_) ++at_;
        return out;
    }
    std::string rest() {
        std::string out(reinterpret_cast<const char*>(data_ + at_), size_ - at_);
        at_ = size_;
        return out;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

// Lead bytes of a double-byte code page chosen by the input: none (a
// single-byte page), code page 932's, or every byte from 0x81 up.
inline bool noLeadBytes(unsigned char) { return false; }
inline bool shiftJisLead(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }
inline bool highLead(unsigned char b) { return b >= 0x81; }
using LeadPredicate = bool (*)(unsigned char);
inline LeadPredicate leadBytes(std::uint8_t choice) {
    const LeadPredicate kinds[] = {&noLeadBytes, &shiftJisLead, &highLead};
    return kinds[choice % 3];
}

}  // namespace fuzz
