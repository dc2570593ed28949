// Where the product is installed now: the folder the product key's AppPath
// names, when its uninstall log lies in it. A reinstall proposes it, so that
// the new install replaces the earlier one in place.
#pragma once
#include "base/bounded_format.h"

namespace kv {

// False (and `folder` untouched) when nothing is installed, or the folder is
// no usable destination.
bool installedFolder(char (&folder)[kPathCapacity]);

}  // namespace kv
