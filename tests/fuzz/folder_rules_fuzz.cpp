// Which folders the product may call its own, on any text and lead-byte
// table: an accepted folder is absolute, below its root, free of the
// characters file systems refuse and of "." and ".." parts, fits a path
// buffer, and is never one of the shared folders, whatever its case or
// trailing separator.
#include "base/bounded_format.h"
#include "common/folder_rules.h"
#include "fuzz_input.h"

#include <algorithm>
#include <cstring>

namespace {

bool refusedOutsideCharacters(const std::string& text, fuzz::LeadPredicate isLead, bool allowDriveColon) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (isLead(byte) && i + 1 < text.size()) {
            ++i;
            continue;
        }
        if (byte == ':' && allowDriveColon && i == 1) continue;
        if (byte < 0x20 || std::strchr("<>:\"/|?*", byte) != nullptr) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const fuzz::LeadPredicate isLead = fuzz::leadBytes(in.byte());
    const std::string path = in.text();
    const std::string shared = in.text();

    if (kv::isOwnFolderPath(path.c_str(), {shared.c_str()}, isLead)) {
        FUZZ_CHECK(path.size() < kv::kPathCapacity);
        const bool unc = path.compare(0, 2, "\\\\") == 0;
        FUZZ_CHECK(unc || (path.size() > 3 && path[1] == ':' && path[2] == '\\'));
        FUZZ_CHECK(!refusedOutsideCharacters(path, isLead, !unc));
        const bool ascii = std::find_if(path.begin(), path.end(), [](char c) { return c & 0x80; }) == path.end();
        FUZZ_CHECK(!ascii || (path.find("\\..\\") == std::string::npos &&
                              path.find("\\.\\") == std::string::npos));
        FUZZ_CHECK(!kv::isOwnFolderPath(path.c_str(), {path.c_str()}, isLead));
        // (A separator after a lead byte would be its trail byte.)
        FUZZ_CHECK(!ascii || !kv::isOwnFolderPath(path.c_str(), {(path + "\\").c_str()}, isLead));
    }
    if (kv::isOwnFolderName(shared.c_str(), isLead)) {
        FUZZ_CHECK(!shared.empty() && shared[0] != '\\');
        FUZZ_CHECK(!refusedOutsideCharacters(shared, isLead, false));
    }
    FUZZ_CHECK(!kv::isOwnFolderPath("C:\\", {}, isLead) && !kv::isOwnFolderName("", isLead));
    return 0;
}
