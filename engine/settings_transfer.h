// A few values of the package's kvsetup.ini carried into the two settings
// files of the installation folder, KvInfo.ini and KVCONF.INI.
#pragma once
#include <vector>

namespace kv {

// A value missing from kvsetup.ini is written as an empty value ("key="),
// never left out. Nothing is recorded in the uninstall log.
void transferSettings();

// The (section, key) pairs of kvsetup.ini that the transfer reads.
struct TransferredKey {
    const char* section;
    const char* key;
    const char* target;  // "KvInfo.ini" or "KVCONF.INI"
};
std::vector<TransferredKey> transferredKeys();

}  // namespace kv
