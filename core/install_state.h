// The process-wide record through which every step of a setup run shares its
// facts. Read and written directly; the only cross-thread field is workerBusy.
#pragma once
#include "base/bounded_format.h"
#include "common/log_codec.h"
#include "common/step_report.h"
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
    // Set when the installation stopped because what it would leave behind
    // could not be recorded (no destination, no log, a failed log write); the
    // run then ends with ResultCode 0. Written by the worker before it clears
    // workerBusy, or by the registration steps after.
    int installStopped = 0;
    // Set by the worker when it has copied (and recorded) the filter driver,
    // which only loads when the system starts.
    int driverInstalled = 0;

    bool isNtFamily() const { return osIsXp || osIsNt5 || osIsOtherNt; }
    bool is95Family() const { return osIs95 || osIs98 || osIsMe; }
    void clearPlatformFlags() { osIsXp = osIsNt5 = osIs95 = osIs98 = osIsMe = osIsOtherNt = 0; }

    void setWorkerBusy(int busy) { workerBusy.store(busy, std::memory_order_release); }
    int isWorkerBusy() const { return workerBusy.load(std::memory_order_acquire); }

    // Whether an install step may still change anything: only while every
    // change so far is in the log.
    bool canInstall() const { return !installStopped && uninstallLog.usable(); }
    void stopInstall() { installStopped = 1; }

    // Appends one record of `type` to the log, whole or not at all (the type
    // stays in logRecordType). When it fails, the installation stops; the
    // caller undoes the item.
    bool appendLogRecord(std::uint8_t type, const char* text) {
        logRecordType = type;
        if (uninstallLog.appendRecord(logRecordType, text, logRecordEnd)) {
            reportStep("uninstall log: %s %s", logRecordTypeName(type), text);
            return true;
        }
        reportStep("stopped: the uninstall log could not be written (%s %s)", logRecordTypeName(type), text);
        stopInstall();
        return false;
    }
};

extern InstallState installState;

}  // namespace kv
