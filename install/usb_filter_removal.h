// Removes an older registration of the filter driver as the first lower
// filter of present USB devices (Windows 95, 98 and ME only).
#pragma once

namespace kv {

// Walks the USB device interfaces (indices 0 to 127) through the Setup API,
// loaded at run time, and deletes a device's whole "LowerFilters" value when
// its first entry is the filter driver. Returns 1 when such a value was
// found (whether or not the delete succeeded), else 0. Returns 0 at once,
// without loading anything, on the NT family.
int RemoveUsbLowerFilter();

}  // namespace kv
