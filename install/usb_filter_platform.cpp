// The install step's platform check, apart from the device walk so that a
// program without the install state can use the walk alone.
#include "install/install_state.h"
#include "install/usb_filter_removal.h"

namespace kv {

int RemoveUsbLowerFilter() {
    if (!installState.is95Family()) return 0;
    return RemoveUsbLowerFilterFromDevices();
}

}  // namespace kv
