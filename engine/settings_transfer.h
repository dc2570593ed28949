// A few values of the package's kvsetup.ini carried into the two settings
// files of the installation folder, KvInfo.ini and KVCONF.INI.
#pragma once

namespace kv {

// A value missing from kvsetup.ini is written as an empty value ("key="),
// never left out. Nothing is recorded in the uninstall log.
void transferSettings();

}  // namespace kv
