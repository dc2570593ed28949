#include "common/result_code.h"

namespace kv {

int resultCodeForEndCode(int endCode, bool ntFamily) {
    switch (endCode) {
        case kEndCancelled: return kResultCancelled;
        case kEndRestartLater: return kResultRestartLater;
        case kEndRestartNow: return ntFamily ? kResultRestartNt : kResultRestart95;
        default: return kResultFailed;
    }
}

}  // namespace kv
