// kvrem00.exe: removes the installation it lies in, as kvrem00.log beside it
// records it. No arguments: asks, shows its progress and says how it went.
// /s: no window, no question, never restarts. /log=FILE: one line per item.
// Exit codes in uninstaller/exit_codes.h.
#include "base/bounded_format.h"
#include "base/computer_restart.h"
#include "base/heap_string.h"
#include "base/program_folder.h"
#include "common/single_instance.h"
#include "install/usb_filter_removal.h"
#include "removal/pending_delete.h"
#include "removal/removal_run.h"
#include "uninstaller/exit_codes.h"
#include "uninstaller/handoff.h"
#include "uninstaller/progress_window.h"
#include "uninstaller/removal_report.h"
#include "uninstaller/uninstall_texts.h"

#include <cstring>

namespace {

using kv::UninstallText;

struct Arguments {
    bool silent = false;
    const char* logFile = nullptr;
    const char* from = nullptr;  // the installation folder, given to the copy
    const char* copyLink = nullptr;
};

bool startsWith(const char* text, const char* prefix) {
    return ::CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE, text, static_cast<int>(std::strlen(prefix)),
                            prefix, -1) == CSTR_EQUAL;
}

Arguments parseArguments(int argc, char** argv) {
    Arguments arguments;
    for (int i = 1; i < argc; ++i) {
        if (::lstrcmpiA(argv[i], "/s") == 0)
            arguments.silent = true;
        else if (startsWith(argv[i], "/log="))
            arguments.logFile = argv[i] + 5;
        else if (startsWith(argv[i], "/from="))
            arguments.from = argv[i] + 6;
        else if (startsWith(argv[i], "/copy="))
            arguments.copyLink = argv[i] + 6;
    }
    return arguments;
}

kv::FilterPlatform filterPlatform(bool& ntFamily) {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExA(&version);
    ntFamily = version.dwPlatformId == VER_PLATFORM_WIN32_NT;
    if (!ntFamily) return kv::FilterPlatform::Family95;
    return version.dwMajorVersion >= 5 ? kv::FilterPlatform::Nt5 : kv::FilterPlatform::Nt4;
}

// The report that also moves the progress window along: settings come
// first in the removal order, files after them.
class ShownReport : public kv::RemovalReport {
public:
    ShownReport(const char* logPath, kv::ProgressWindow* window, const char* filesText)
        : RemovalReport(logPath), window_(window), filesText_(filesText) {}
    void item(kv::ItemOutcome outcome, const char* kind, const char* what, const char* why) override {
        if (window_ != nullptr && filesText_ != nullptr && std::strcmp(kind, "file") == 0) {
            window_->setStatus(filesText_);
            filesText_ = nullptr;
        }
        RemovalReport::item(outcome, kind, what, why);
    }
    void progress(unsigned done, unsigned total) override {
        if (window_ != nullptr) window_->setProgress(done, total);
    }

private:
    kv::ProgressWindow* window_;
    const char* filesText_;
};

class Uninstall {
public:
    Uninstall(const Arguments& arguments, const char* installation)
        : arguments_(arguments), installation_(installation) {
        char textFile[kv::kPathCapacity];
        if (!kv::formatInto(textFile, "%s\\kvrem.un2", installation)) textFile[0] = 0;
        // All of them now: the file goes with the rest of the installation.
        for (int key = 1; key < kTextCount; ++key)
            texts_[key] = kv::uninstallText(textFile, static_cast<UninstallText>(key));
    }

    // `removalRan`: the log was sound and the removal went through it.
    int run(kv::SetupInstanceLock& lock, bool uninstallerStillRunning, bool& restartNow, bool& removalRan);

private:
    const kv::String& text(UninstallText key) const { return texts_[static_cast<int>(key)]; }
    void tell(const kv::String& message, UINT icon) const {
        if (!arguments_.silent) ::MessageBoxA(nullptr, message.c_str(), text(UninstallText::Caption).c_str(), icon);
    }

    const Arguments& arguments_;
    const char* installation_;
    static constexpr int kTextCount = static_cast<int>(UninstallText::Busy) + 1;
    kv::String texts_[kTextCount];
};

// `lock` is the caller's, held until the process ends: whoever waits for it
// sees the end of the whole removal.
int Uninstall::run(kv::SetupInstanceLock& lock, bool uninstallerStillRunning, bool& restartNow, bool& removalRan) {
    restartNow = false;
    removalRan = false;
    if (lock.acquire() != kv::SetupInstanceLock::Outcome::Acquired) {
        kv::RemovalReport(arguments_.logFile).line("not removed: a setup or uninstall is running");
        tell(text(UninstallText::Busy), MB_ICONEXCLAMATION);
        return kv::kExitBusy;
    }
    if (!arguments_.silent &&
        ::MessageBoxA(nullptr, text(UninstallText::Confirm).c_str(), text(UninstallText::Caption).c_str(),
                      MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return kv::kExitCancelled;

    kv::ProgressWindow window;
    if (!arguments_.silent)
        window.create(text(UninstallText::Caption).c_str(), text(UninstallText::RemovingSettings).c_str());
    ShownReport report(arguments_.logFile, arguments_.silent ? nullptr : &window,
                       text(UninstallText::RemovingFiles).c_str());
    kv::RemovalOptions options;
    options.installation = installation_;
    options.filterPlatform = filterPlatform(options.ntFamily);
    options.usbWalk95 = &kv::RemoveUsbLowerFilterFromDevices;
    options.uninstallerStillRunning = uninstallerStillRunning;
    const kv::RemovalSummary summary = kv::removeInstallation(options, report);
    if (window.handle() != nullptr) ::ShowWindow(window.handle(), SW_HIDE);

    char line[kv::kPathCapacity];
    removalRan = summary.status == kv::RemovalStatus::Done;
    if (!removalRan) {
        kv::formatInto(line, "not removed: %s", summary.why);
        report.line(line);
        tell(text(UninstallText::CannotRemove), MB_ICONSTOP);
        return kv::kExitNotRemoved;
    }
    kv::formatInto(line, "summary: %u removed, %u at restart, %u kept, %u skipped, %u not removed", summary.removed,
                   summary.atRestart, summary.kept, summary.skipped, summary.failed);
    report.line(line);
    if (summary.failed > 0 || summary.skipped > 0) {
        kv::String message = text(UninstallText::SomeLeft);
        message += "\n\n";
        message += report.itemsLeft();
        tell(message, MB_ICONEXCLAMATION);
    }
    if (summary.atRestart > 0) {
        if (summary.failed == 0 && summary.skipped == 0 && !arguments_.silent) {
            kv::String message = text(UninstallText::RemovedRestart);
            message += "\n\n";
            message += text(UninstallText::RestartNow);
            restartNow = ::MessageBoxA(nullptr, message.c_str(), text(UninstallText::Caption).c_str(),
                                       MB_YESNO | MB_ICONQUESTION) == IDYES;
        }
    } else if (summary.failed == 0 && summary.skipped == 0) {
        tell(text(UninstallText::Removed), MB_ICONINFORMATION);
    }
    if (summary.failed > 0) return kv::kExitNotRemoved;
    return summary.atRestart > 0 ? kv::kExitRestartNeeded : kv::kExitRemoved;
}

// The copy's own file and folder go at the next restart.
void queueOwnRemoval(bool ntFamily) {
    char self[kv::kPathCapacity];
    const DWORD length = ::GetModuleFileNameA(nullptr, self, sizeof(self));
    if (length == 0 || length >= sizeof(self)) return;
    kv::RestartDeletes restart(ntFamily);
    restart.schedule(self, false);
    char* slash = std::strrchr(self, '\\');
    if (slash != nullptr) {
        *slash = 0;
        restart.schedule(self, true);
    }
    restart.commit();
}

}  // namespace

int main(int argc, char** argv) {
    const Arguments arguments = parseArguments(argc, argv);
    kv::CopyLink link;
    const bool isCopy = arguments.copyLink != nullptr && arguments.from != nullptr &&
                        kv::parseCopyLink(arguments.copyLink, link);
    char ownFolder[kv::kPathCapacity];
    if (!isCopy) {
        if (!kv::folderOfProgram(ownFolder)) return kv::kExitNotRemoved;
        // The copy runs elsewhere: the /log file is passed with its full path.
        char logFile[kv::kPathCapacity] = {};
        if (arguments.logFile != nullptr &&
            ::GetFullPathNameA(arguments.logFile, sizeof(logFile), logFile, nullptr) >= sizeof(logFile))
            return kv::kExitNotRemoved;
        char passed[768];
        if (kv::formatInto(passed, "/from=\"%s\"%s%s%s%s", ownFolder, arguments.silent ? " /s" : "",
                           logFile[0] ? " /log=\"" : "", logFile, logFile[0] ? "\"" : "")) {
            const int code = kv::runFromTempCopy(passed);
            if (code >= 0) return code;
        }
        // No copy could run: remove from here; this file goes at the restart.
        bool restartNow = false, removalRan = false;
        kv::SetupInstanceLock lock;
        return Uninstall(arguments, ownFolder).run(lock, false, restartNow, removalRan);
    }

    bool restartNow = false, removalRan = false;
    kv::SetupInstanceLock lock;
    const int code = Uninstall(arguments, arguments.from).run(lock, true, restartNow, removalRan);
    kv::handBackExitCode(link, code);
    bool ntFamily = true;
    kv::RemovalOptions options;
    options.installation = arguments.from;
    options.filterPlatform = filterPlatform(ntFamily);
    options.usbWalk95 = &kv::RemoveUsbLowerFilterFromDevices;
    options.ntFamily = ntFamily;
    if (removalRan) {
        kv::RemovalReport afterwards(nullptr);
        kv::removeAfterUninstaller(options, afterwards);
    }
    queueOwnRemoval(ntFamily);
    if (restartNow) kv::restartComputer(ntFamily);
    return code;
}
