// Before the filter driver's file goes, no device may name it any more: a
// device whose lower filter is missing does not start.
#pragma once

namespace kv {

enum class FilterPlatform { Family95, Nt4, Nt5 };

// 95 family: `usbWalk95`, the install steps' own walk of the USB devices
// (their "Enum" keys), passed in from the layer above.
// NT 5: every device's lower-filter property through the Setup API, loaded
// by full path from the system folder; other filters are kept in their
// order and an emptied value is deleted. NT 4 has no such property.
// Returns the number of devices changed; -1 when the Setup API is missing.
int removeFilterDriverFromDevices(FilterPlatform platform, int (*usbWalk95)());

}  // namespace kv
