// Before the filter driver's file goes, no device may name it any more: a
// device whose lower filter is missing does not start.
#pragma once

namespace kv {

enum class FilterPlatform { Family95, Nt4, Nt5 };

struct DeviceFilterResult {
    int changed = 0;  // devices whose filter list was changed
    // Why a device may still name the driver (its file must then stay), or
    // null when none does.
    const char* doubt = nullptr;
};

// 95 family: every device key of the hardware tree (HKLM\Enum, any bus),
// other filters kept in their order and an emptied value deleted (doubt
// remains when a key cannot be listed, read or changed); then `usbWalk95`,
// the install steps' own walk of the USB devices, passed in from the layer
// above.
// NT 5: every device's lower-filter property through the Setup API, loaded
// by full path from the system folder; other filters are kept in their
// order and an emptied value is deleted. Doubt remains when the Setup API
// or the device list is missing, or a device's filters cannot be read (a
// list over 1 KB included) or changed; the other devices are still edited.
// NT 4 has no such property.
DeviceFilterResult removeFilterDriverFromDevices(FilterPlatform platform, int (*usbWalk95)());

}  // namespace kv
