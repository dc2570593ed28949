// A few values of the package's kvsetup.ini carried into the two settings
// files of the installation folder, KvInfo.ini and KVCONF.INI.
#pragma once

namespace kv {

// A value missing from kvsetup.ini is written as an empty value ("key="),
// never left out. Nothing is recorded in the uninstall log.
void transferSettings();

// The index-th (section, key) pair of kvsetup.ini that the transfer reads;
// false past the last one.
struct TransferredKey {
    const char* section;
    const char* key;
    const char* target;  // "KvInfo.ini" or "KVCONF.INI"
};
bool transferredKey(int index, TransferredKey& key);

}  // namespace kv
