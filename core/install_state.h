// The process-wide record through which every step of a setup run shares its
// facts. Read and written directly; the only cross-thread field is workerBusy.
#pragma once
#include "base/bounded_format.h"
#include "engine/uninstall_log.h"

#include <atomic>
#include <cstdint>

namespace kv {

class SetupMainWindow;
class WizardFrame;

struct InstallState {
    char sourceDir[kPathCapacity] = {};
    char startDir[kPathCapacity] = {};
    char destinationDir[kPathCapacity] = {};
    int languageIndex = 0;
    const char* languageCode = nullptr;
    int osIsXp = 0;
    int osIsNt5 = 0;
    int osIs95 = 0;
    int osIs98 = 0;
    int osIsMe = 0;
    int osIsOtherNt = 0;
    int setupTypeFirst = 0;
    SetupMainWindow* mainWindow = nullptr;
    WizardFrame* wizardFrame = nullptr;
    // Set before the worker starts; the worker clears it last (release) and the
    // progress dialog polls it (acquire), which publishes the worker's writes.
    std::atomic<int> workerBusy{0};
    int restartNeeded = 1;
    UninstallLogFile uninstallLog;
    std::uint8_t logRecordType = 0;
    std::uint8_t logRecordEnd = 0;

    bool isNtFamily() const { return osIsXp || osIsNt5 || osIsOtherNt; }
    bool is95Family() const { return osIs95 || osIs98 || osIsMe; }
    void clearPlatformFlags() { osIsXp = osIsNt5 = osIs95 = osIs98 = osIsMe = osIsOtherNt = 0; }

    void setWorkerBusy(int busy) { workerBusy.store(busy, std::memory_order_release); }
    int isWorkerBusy() const { return workerBusy.load(std::memory_order_acquire); }

    // Appends one record of the current type to the log.
    bool appendLogRecord(const char* text) {
        return uninstallLog.appendRecord(logRecordType, text, logRecordEnd);
    }
};

extern InstallState installState;

}  // namespace kv
