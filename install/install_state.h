// The process-wide record through which every step of a setup run shares its
// facts. Read and written directly; the only cross-thread field is workerBusy.
#pragma once
#include "base/bounded_format.h"
#include "common/log_codec.h"
#include "common/platform_info.h"
#include "common/step_report.h"
#include "common/uninstall_log.h"

#include <atomic>
#include <cstdint>

namespace kv {

class Dialog;
class WizardFrame;

struct InstallState {
    char sourceDir[kPathCapacity] = {};
    char startDir[kPathCapacity] = {};
    char destinationDir[kPathCapacity] = {};
    int languageIndex = 0;
    const char* languageCode = nullptr;
    PlatformFlag platform = PlatformFlag::None;
    bool setupTypeFirst = false;
    // The setup main window while it runs; the platform setup library gets it
    // as its owner object.
    Dialog* mainWindow = nullptr;
    WizardFrame* wizardFrame = nullptr;
    // Set before the worker starts; the worker clears it last (release) and the
    // progress dialog polls it (acquire), which publishes the worker's writes.
    std::atomic<int> workerBusy{0};
    int restartNeeded = 1;
    UninstallLogFile uninstallLog;
    // Set when the installation stopped because what it would leave behind
    // could not be recorded (no destination, no log, a failed log write); the
    // run then ends with ResultCode 0. Written by the worker before it clears
    // workerBusy, or by the registration steps after.
    bool installStopped = false;
    // Set by the worker when it has copied (and recorded) the filter driver,
    // which only loads when the system starts.
    bool driverInstalled = false;

    // The six platform flags, of which at most one holds.
    bool osIsXp() const { return platform == PlatformFlag::Xp; }
    bool osIsNt5() const { return platform == PlatformFlag::Nt5; }
    bool osIs95() const { return platform == PlatformFlag::Win95; }
    bool osIs98() const { return platform == PlatformFlag::Win98; }
    bool osIsMe() const { return platform == PlatformFlag::WinMe; }
    bool osIsOtherNt() const { return platform == PlatformFlag::OtherNt; }
    bool isNtFamily() const { return osIsXp() || osIsNt5() || osIsOtherNt(); }
    bool is95Family() const { return osIs95() || osIs98() || osIsMe(); }

    void setWorkerBusy(int busy) { workerBusy.store(busy, std::memory_order_release); }
    int isWorkerBusy() const { return workerBusy.load(std::memory_order_acquire); }

    // Whether an install step may still change anything: only while every
    // change so far is in the log.
    bool canInstall() const { return !installStopped && uninstallLog.usable(); }
    void stopInstall() { installStopped = true; }

    // Appends one record of `type` to the log, whole or not at all. When it
    // fails, the installation stops; the caller undoes the item.
    bool appendLogRecord(std::uint8_t type, const char* text) {
        if (uninstallLog.appendRecord(type, text)) {
            reportStep("uninstall log: %s %s", logRecordTypeName(type), text);
            return true;
        }
        reportStep("stopped: the uninstall log could not be written (%s %s)", logRecordTypeName(type), text);
        stopInstall();
        return false;
    }
};

extern InstallState installState;

// Detects the platform, then the system's default language, into the state.
void detectPlatformAndLanguage();

}  // namespace kv
