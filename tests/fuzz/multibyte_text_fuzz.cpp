// The double-byte rules on any bytes and lead-byte table: the separator
// search finds only characters of their own, a cut never ends inside a
// character, and a configuration value read into its buffer is kept within
// the buffer and its first NUL.
#include "base/bounded_format.h"
#include "common/multibyte_text.h"
#include "fuzz_input.h"

#include <cstring>
#include <memory>
#include <vector>

namespace {

// Start positions of the characters of `text`.
std::vector<bool> characterStarts(const std::string& text, fuzz::LeadPredicate isLead) {
    std::vector<bool> starts(text.size() + 1, false);
    for (std::size_t i = 0; i < text.size();) {
        starts[i] = true;
        i += isLead(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
    }
    starts[text.size()] = true;
    return starts;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const fuzz::LeadPredicate isLead = fuzz::leadBytes(in.byte());
    const int from = static_cast<int>(in.byte()) - 8;
    const char wanted = static_cast<char>(in.byte());
    const std::size_t capacity = in.byte() % 64 + 1;
    const std::string text = in.text();
    const std::string word = in.text();
    const std::vector<bool> starts = characterStarts(text, isLead);

    const int found = kv::findCharMultibyte(text.c_str(), from, wanted, isLead);
    if (found >= 0) {
        FUZZ_CHECK(static_cast<std::size_t>(found) < text.size() && found >= from);
        FUZZ_CHECK(text[found] == wanted && starts[found]);
    }
    const bool contained = kv::containsMultibyte(text.c_str(), word.c_str(), isLead);
    FUZZ_CHECK(!contained || text.find(word) != std::string::npos);
    FUZZ_CHECK(kv::upperCaseMultibyte(text.c_str(), isLead).size() == text.size());
    FUZZ_CHECK(kv::lowerCaseMultibyte(text.c_str(), isLead).size() == text.size());

    const std::size_t limit = capacity - 1;
    const std::size_t cut = kv::characterBoundary(text.data(), text.size(), limit, isLead);
    FUZZ_CHECK(cut <= text.size() && (cut == text.size() || cut <= limit));
    FUZZ_CHECK(starts[cut]);

    // A value in a buffer of exactly `capacity` bytes, with whatever length
    // the profile function reported.
    std::unique_ptr<char[]> buffer(new char[capacity]);
    const std::size_t copied = text.size() < capacity ? text.size() : capacity;
    std::memset(buffer.get(), 'x', capacity);
    std::memcpy(buffer.get(), text.data(), copied);
    const std::size_t reported = in.byte();
    const std::size_t kept = kv::fittedTextLength(buffer.get(), reported, capacity, isLead);
    FUZZ_CHECK(kept < capacity && kept <= reported);
    FUZZ_CHECK(std::memchr(buffer.get(), 0, kept) == nullptr);
    // With one more byte after it, a kept text ending in a lead byte would
    // show that byte as half of a character.
    FUZZ_CHECK(characterStarts(std::string(buffer.get(), kept) + "?", isLead)[kept]);
    return 0;
}
