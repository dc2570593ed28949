// The [Icons] entry split on any text: the fields put back together with
// their commas are the entry itself, and only the icon field holds commas.
#include "install/icons_entry.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::string text = in.text();
    kv::IconsEntry entry;
    const bool split = kv::parseIconsEntry(text.c_str(), entry);
    FUZZ_CHECK(split == (text.find(',') != std::string::npos));
    if (!split) return 0;
    FUZZ_CHECK(entry.target.find(',') == kv::String::npos);
    FUZZ_CHECK(entry.name.find(',') == kv::String::npos);
    FUZZ_CHECK(entry.hasIcon || entry.icon.empty());
    const std::string joined = std::string(entry.target) + "," + std::string(entry.name) +
                               (entry.hasIcon ? "," + std::string(entry.icon) : std::string());
    FUZZ_CHECK(joined == text);
    return 0;
}
