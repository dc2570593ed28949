// The launcher's switches and an answer file from any bytes: nothing is read
// or written outside the buffers, every text stays terminated and within its
// 260 bytes, a refusal always says why, and a saved file reads back safely.
#include "common/setup_options.h"
#include "fuzz_input.h"

#include <cstring>
#include <memory>
#include <string>

namespace {

void checkTexts(const kv::SetupOptions& o) {
    for (const char* text : {o.language, o.destination, o.programFolder, o.logFile, o.saveAnswers, o.loadAnswers,
                             o.sourceFolder})
        FUZZ_CHECK(strnlen(text, kv::kOptionTextCapacity) < kv::kOptionTextCapacity);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t split = size > 0 ? data[0] % (size + 1) : 0;
    const std::string arguments(reinterpret_cast<const char*>(data), split);
    kv::SetupOptions o;
    char reason[kv::kOptionReasonCapacity];
    const bool read = kv::parseSetupOptions(arguments.c_str(), o, reason);
    FUZZ_CHECK(read || reason[0] != '\0');
    checkTexts(o);
    char handedOn[4096];
    if (read && kv::formatSetupArguments(o, handedOn, sizeof(handedOn))) {
        // The text the launcher hands on reads back as what it read.
        kv::SetupOptions again;
        FUZZ_CHECK(kv::parseSetupOptions(handedOn, again, reason));
        FUZZ_CHECK(again.unattended == o.unattended && again.noRestart == o.noRestart &&
                   again.setupType == o.setupType && std::strcmp(again.language, o.language) == 0 &&
                   std::strcmp(again.destination, o.destination) == 0 &&
                   std::strcmp(again.programFolder, o.programFolder) == 0 && std::strcmp(again.logFile, o.logFile) == 0 &&
                   std::strcmp(again.saveAnswers, o.saveAnswers) == 0 &&
                   std::strcmp(again.loadAnswers, o.loadAnswers) == 0);
    }
    // The rest as an answer file, in a buffer of exactly its size.
    std::unique_ptr<char[]> text(new char[size - split + 1]);
    std::memcpy(text.get(), data + split, size - split);
    if (!kv::applyAnswerText(text.get(), size - split, o, reason)) FUZZ_CHECK(reason[0] != '\0');
    checkTexts(o);
    char out[2048];
    if (kv::formatAnswerText(o, out, sizeof(out))) {
        kv::SetupOptions again;
        if (!kv::applyAnswerText(out, std::strlen(out), again, reason)) FUZZ_CHECK(reason[0] != '\0');
        checkTexts(again);
    }
    return 0;
}
