#include "setup/option_run.h"

#include "base/bounded_format.h"
#include "base/unique_handle.h"
#include "common/exit_codes.h"
#include "common/running_setup_window.h"
#include "common/setup_options.h"
#include "common/single_instance.h"
#include "common/step_report.h"
#include "common/text_log_file.h"
#include "common/language_table.h"
#include "common/result_code.h"
#include "common/setup_config.h"
#include "common/shared_folders.h"
#include "install/install_rollback.h"
#include "install/install_sequence.h"
#include "install/install_state.h"
#include "setup/setup_run.h"

namespace kv {
namespace {

struct OptionRun {
    SetupOptions options;
    TextLogFile log;
    int refusedCode = kExitFailed;
    bool started = false;  // the run got as far as its choices
    bool choiceRefused = false;
    // Only an answer file's "no restart" reaches the engine's wizard run: the
    // launcher itself skips the restart for /norestart, and says so.
    bool answerNoRestart = false;
};

// Reports into the run's log, when it has one.
class ReportScope {
public:
    explicit ReportScope(TextLogFile& log) {
        if (log.isOpen()) setStepReportSink(&TextLogFile::sink, &log);
    }
    ~ReportScope() { setStepReportSink(nullptr, nullptr); }
    ReportScope(const ReportScope&) = delete;
    ReportScope& operator=(const ReportScope&) = delete;
};

const char* platformName() {
    const InstallState& s = installState;
    return s.osIsXp() ? "Windows XP" : s.osIsNt5() ? "Windows 2000" : s.osIsOtherNt() ? "Windows NT 4.0" :
           s.osIsMe() ? "Windows ME" : s.osIs98() ? "Windows 98" : s.osIs95() ? "Windows 95" : "an unknown Windows";
}

int languageIndexOf(const char* code) {
    for (int i = 0; i < kLanguageCount; ++i)
        if (lstrcmpiA(languageCodeAt(i), code) == 0) return i;
    return -1;
}

// The answer file's bytes into the options, under the command line's.
bool loadAnswerFile(OptionRun& r, char (&reason)[kOptionReasonCapacity]) {
    UniqueFile file(::CreateFileA(r.options.loadAnswers, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        formatInto(reason, "the answer file cannot be read (error %lu)", static_cast<unsigned long>(::GetLastError()));
        return false;
    }
    static_assert(kMaxAnswerFileBytes < 60000, "read on the stack");
    char text[kMaxAnswerFileBytes + 1];
    DWORD length = 0;
    if (!::ReadFile(file.get(), text, sizeof(text), &length, nullptr)) {
        formatInto(reason, "the answer file cannot be read (error %lu)", static_cast<unsigned long>(::GetLastError()));
        return false;
    }
    return applyAnswerText(text, length, r.options, reason);
}

bool saveAnswerFile(const SetupOptions& used) {
    char text[4 * kOptionTextCapacity + 128];
    if (!formatAnswerText(used, text, sizeof(text))) return false;
    UniqueFile file(::CreateFileA(used.saveAnswers, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    DWORD written = 0;
    const DWORD length = static_cast<DWORD>(lstrlenA(text));
    return file && ::WriteFile(file.get(), text, length, &written, nullptr) && written == length;
}

// The choices this run made, as the answer file records them.
void saveChoices(const OptionRun& r) {
    if (r.options.saveAnswers[0] == '\0') return;
    SetupOptions used;
    copyInto(used.language, installState.languageCode != nullptr ? installState.languageCode : "");
    used.setupType = installState.setupTypeFirst ? SetupTypeChoice::First3D : SetupTypeChoice::Second4D;
    copyInto(used.destination, installState.destinationDir);
    copyInto(used.programFolder, textOrEmpty(setupConfig.programFolder));
    copyInto(used.saveAnswers, r.options.saveAnswers);
    used.noRestart = r.options.noRestart;
    if (saveAnswerFile(used))
        reportStep("choices saved to %s", used.saveAnswers);
    else
        reportStep("choices not saved: %s cannot be written", used.saveAnswers);
}

// The options over the configuration's defaults. A bad language is a bad
// command line; folders are checked where the wizard checks them.
bool choose(void* context) {
    OptionRun& r = *static_cast<OptionRun*>(context);
    const SetupOptions& o = r.options;
    r.started = true;
    if (o.language[0] != '\0') {
        const int index = languageIndexOf(o.language);
        if (index < 0) {
            reportStep("bad command line: unknown language %s (enu, cht, deu, esn, fra, ita, jpn, kor, nld, chs)",
                       o.language);
            r.choiceRefused = true;
            reportStep("result: bad command line (%d)", kExitBadCommandLine);
            return false;
        }
        installState.languageIndex = index;
    }
    if (o.setupType != SetupTypeChoice::Unset) installState.setupTypeFirst = o.setupType == SetupTypeChoice::First3D;
    // A folder that does not fit is a bad command line: the parser keeps
    // every value within the path buffer, so this does not happen.
    if (o.destination[0] != '\0') copyInto(installState.destinationDir, o.destination);
    if (o.programFolder[0] != '\0') setupConfig.programFolder = makeOwnedText(o.programFolder);
    return true;
}

// Every check the wizard's pages make before Next.
bool foldersUsable(String& programFolder) {
    const char* destination = installState.destinationDir;
    if (destination[0] == '\0' || !isUsableDestination(destination)) {
        reportStep("refused: the destination folder \"%s\" is no folder of the product's own (empty, a drive root, "
                   "a relative path, or a folder of the system or of all programs); nothing was installed",
                   destination);
        return false;
    }
    if (!programFolderPathOf(textOrEmpty(setupConfig.programFolder), programFolder)) {
        reportStep("refused: the program folder \"%s\" is no folder of the product's own below the Start menu's "
                   "Programs; nothing was installed",
                   textOrEmpty(setupConfig.programFolder));
        return false;
    }
    return true;
}

int runUnattended(void* context) {
    OptionRun& r = *static_cast<OptionRun*>(context);
    reportStep("platform: %s; language: %s (%s)", platformName(), installState.languageCode,
               languageNameAt(installState.languageIndex));
    reportStep("setup type: %s", installState.setupTypeFirst ? "3D" : "4D");
    String programFolder;
    if (!foldersUsable(programFolder)) {
        reportStep("result: failed (%d)", kExitFailed);
        return kExitFailed;
    }
    reportStep("destination: %s", installState.destinationDir);
    reportStep("program folder: %s", programFolder.c_str());

    installState.restartNeeded = 0;
    installState.driverInstalled = false;
    runInstallStepsInline(engineInstallSteps());
    installState.uninstallLog.close();
    // A stopped install is taken back, as the wizard's progress dialog does.
    rollBackStoppedInstall();
    const bool restart = installState.restartNeeded || installState.driverInstalled;
    installState.restartNeeded = 1;  // as a wizard run leaves it

    if (installState.installStopped) {
        reportStep("result: failed (%d): the installation stopped; what it had installed was removed", kExitFailed);
        return kExitFailed;
    }
    saveChoices(r);
    reportStep(restart ? "result: installed, a restart is needed to load the driver (%d)" : "result: installed (%d)",
               restart ? kExitRestartNeeded : kExitSuccess);
    return restart ? kExitRestartNeeded : kExitSuccess;
}

int runWizard(void* context) {
    OptionRun& r = *static_cast<OptionRun*>(context);
    int result = runWizardToResult();
    const bool installed = result == kResultRestart95 || result == kResultRestartNt || result == kResultRestartLater;
    if (installed) saveChoices(r);
    // An administrator's "no restart" holds even when the user asks for one.
    if (r.answerNoRestart && installed) result = kResultRestartLater;
    reportStep("result: ResultCode %d", result);
    return result;
}

}  // namespace

int runSetupWithOptions(const char* sourceFolder, const char* arguments) {
    OptionRun r;
    r.refusedCode = kResultFailed;
    char reason[kOptionReasonCapacity];
    const bool parsed = parseSetupOptions(arguments, r.options, reason);
    const bool unattended = r.options.unattended;
    if (unattended) r.refusedCode = kExitFailed;
    if (r.options.logFile[0] != '\0') r.log.create(r.options.logFile);
    ReportScope report(r.log);
    reportStep("setup started (%s): source folder %s", unattended ? "unattended" : "wizard",
               sourceFolder != nullptr ? sourceFolder : "(none)");
    if (parsed && r.options.loadAnswers[0] != '\0') {
        const bool commandLineNoRestart = r.options.noRestart;
        if (!loadAnswerFile(r, reason)) {
            reportStep("bad answer file %s: %s", r.options.loadAnswers, reason);
            reportStep("result: bad command line (%d)", kExitBadCommandLine);
            return unattended ? kExitBadCommandLine : kResultFailed;
        }
        r.answerNoRestart = r.options.noRestart && !commandLineNoRestart;
        // The file may name the log itself.
        if (!r.log.isOpen() && r.options.logFile[0] != '\0' && r.log.create(r.options.logFile)) {
            setStepReportSink(&TextLogFile::sink, &r.log);
            reportStep("setup started (%s): source folder %s; choices from %s", unattended ? "unattended" : "wizard",
                       sourceFolder != nullptr ? sourceFolder : "(none)", r.options.loadAnswers);
        }
    }
    if (!parsed) {
        reportStep("bad command line: %s", reason);
        reportStep("result: bad command line (%d)", kExitBadCommandLine);
        return unattended ? kExitBadCommandLine : kResultFailed;
    }

    SetupInstanceLock lock;
    if (lock.acquire() == SetupInstanceLock::Outcome::Busy) {
        reportStep("result: another setup or removal is running (%d)", kExitBusy);
        if (!unattended) bringRunningSetupToFront();
        return unattended ? kExitBusy : kResultFailed;
    }

    SetupRunBody body;
    body.choose = &choose;
    body.run = unattended ? &runUnattended : &runWizard;
    body.context = &r;
    const int result = runSetupWith(sourceFolder, body, r.refusedCode);
    if (!r.started)
        reportStep("result: failed (%d): the source folder is empty or too long, or a setup runs in this process",
                   r.refusedCode);
    if (r.choiceRefused) return unattended ? kExitBadCommandLine : kResultFailed;
    return result;
}

}  // namespace kv
