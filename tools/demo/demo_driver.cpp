// The scripted walk-through of `make demo`: runs the staged package's
// library on this thread, walks the wizard from another, saves a picture of
// the screen at every page and of the progress dialog, and reports what the
// installation left on the system.
//   kvdemo.exe <package folder> <picture folder> [--install-only]
// (--install-only: `make bench` installs this way and times the uninstall
// itself.)
#include "base/unique_handle.h"
#include "toolsupport/log_record.h"
#include "common/registry_key.h"
#include "common/registration_names.h"
#include "scripted/setup_driver.h"
#include "scripted/screenshot.h"
#include "scripted/uninstall_driver.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace kvdrive;

namespace {

const char* const kPageNames[] = {"language", "welcome", "setup-type", "destination",
                                  "program-folder", "information", "finish"};

void savePicture(Driver& d, HWND window, const std::string& folder, const std::string& name) {
    d.settle();
    ::Sleep(300);  // let the backdrop and the page finish painting
    const std::string path = folder + "\\" + name + ".bmp";
    if (!kvtest::saveBmp(kvtest::captureWindow(window), path))
        std::printf("  (could not save %s)\n", path.c_str());
}

bool keyExists(HKEY root, const char* key) {
    kv::RegistryKey registry;
    registry.SetRoot(root);
    return registry.Open(key, false);
}

std::string readString(HKEY root, const char* key, const char* name) {
    kv::RegistryKey registry;
    registry.SetRoot(root);
    if (!registry.Open(key, false)) return "(missing)";
    return registry.ReadString(name, "(missing)");
}

void listFolder(const std::string& folder, const std::string& prefix) {
    WIN32_FIND_DATAA entry = {};
    kv::UniqueFindHandle search(::FindFirstFileA((folder + "\\*.*").c_str(), &entry));
    if (!search) return;
    do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            listFolder(folder + "\\" + name, prefix + name + "\\");
        } else {
            std::printf("    %s%s (%lu bytes)\n", prefix.c_str(), name.c_str(),
                        static_cast<unsigned long>(entry.nFileSizeLow));
        }
    } while (::FindNextFileA(search.get(), &entry));
}

void listRegistryValues(const char* indent) {
    std::printf("%sHKLM\\%s\\%s = %s\n", indent, kv::kRunKey, kv::kAutoStartValueName,
                readString(HKEY_LOCAL_MACHINE, kv::kRunKey, kv::kAutoStartValueName).c_str());
    for (const char* name : {"InstallName", "SubInstallName", "AppPath", "ProductName", "ProductKey"})
        std::printf("%sHKLM\\%s\\%s = %s\n", indent, kv::kProductKey, name,
                    readString(HKEY_LOCAL_MACHINE, kv::kProductKey, name).c_str());
}

// Whether what a log record names is still on the system.
bool stillThere(const kv::LogRecord& record) {
    switch (record.type) {
        case kv::kLogAutoStartValue: return readString(HKEY_LOCAL_MACHINE, kv::kRunKey, kv::kAutoStartValueName) != "(missing)";
        case kv::kLogUninstallKey: return keyExists(HKEY_LOCAL_MACHINE, record.text.c_str());
        default: return ::GetFileAttributesA(record.text.c_str()) != INVALID_FILE_ATTRIBUTES;
    }
}

// The uninstaller as Add/Remove Programs starts it, answered as a user
// would (yes, remove; no, do not restart now), with a picture of each of
// its screens and its own account of each item in a /log file.
int uninstall(const std::string& destination, const std::string& pictures, const std::string& driver,
              const std::vector<kv::LogRecord>& records) {
    const std::string account = pictures + "\\removal.txt";
    const std::string command = "\"" + destination + "\\kvrem00.exe\" /log=\"" + account + "\"";
    std::printf("\nUninstall: %s\n", command.c_str());
    int messageNumber = 0;
    const UninstallRun run = runUninstaller(
        command, uninstallerText(destination, 1), [&](UninstallScreen screen, HWND window) {
            if (screen != UninstallScreen::Progress) ::Sleep(300);  // let the box finish painting
            const std::string name = screen == UninstallScreen::Question   ? "uninstall-1-question"
                                     : screen == UninstallScreen::Progress ? "uninstall-2-progress"
                                                                           : "uninstall-3-message-" + std::to_string(++messageNumber);
            if (!kvtest::saveBmp(kvtest::captureWindow(window), pictures + "\\" + name + ".bmp"))
                std::printf("  (could not save %s)\n", name.c_str());
            if (screen == UninstallScreen::Question) return IDYES;
            return ::GetDlgItem(window, IDNO) != nullptr ? IDNO : IDOK;
        });
    for (const std::string& message : run.messages) {
        std::string shown = message;
        for (char& c : shown)
            if (c == '\n' || c == '\r') c = ' ';
        std::printf("  message: %s\n", shown.c_str());
    }
    if (!run.sawProgress) std::printf("  (the progress window went by too fast for a picture)\n");
    for (const std::string& failure : run.failures) std::printf("  uninstall problem: %s\n", failure.c_str());

    std::printf("\nRemoved, as the uninstaller's /log file tells it:\n");
    std::ifstream lines(account);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::printf("  %s\n", line.c_str());
    }

    std::printf("\nLeft of the install (before a restart):\n");
    int left = 0;
    for (const kv::LogRecord& record : records)
        if (stillThere(record)) {
            std::printf("  %s %s\n", kv::logRecordTypeName(record.type), record.text.c_str());
            ++left;
        }
    if (::GetFileAttributesA(destination.c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::printf("  in %s:\n", destination.c_str());
        listFolder(destination, "");
        ++left;
    }
    if (::GetFileAttributesA(driver.c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::printf("  the filter driver %s\n", driver.c_str());
        ++left;
    }
    if (left == 0) std::printf("  nothing of the logged items, the installation folder or the filter driver\n");
    std::printf("  registry values:\n");
    listRegistryValues("    ");

    const char* meaning = run.exitCode == 0      ? "removed"
                          : run.exitCode == 3010 ? "removed, a restart finishes it"
                          : run.exitCode == 1602 ? "cancelled"
                          : run.exitCode == 1603 ? "not removed"
                          : run.exitCode == 1618 ? "another setup or uninstall runs"
                                                 : "?";
    std::printf("\nUninstaller exit code: %ld (%s)\n", run.exitCode, meaning);
    return run.failures.empty() && (run.exitCode == 0 || run.exitCode == 3010) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kvdemo <package folder> <picture folder> [--install-only]\n");
        return 2;
    }
    const std::string package = argv[1];
    const std::string pictures = argv[2];
    const bool installOnly = argc > 3 && std::string(argv[3]) == "--install-only";
    ::CreateDirectoryA(pictures.c_str(), nullptr);

    std::string destination, programFolder;
    const Script walk = [&](Driver& d) {
        for (int index = kLanguage; index <= kInformation; ++index) {
            HWND page = d.waitForPage(index);
            if (index == kDestination) destination = d.text(d.item(page, 1018));
            if (index == kProgramFolder) programFolder = d.text(d.item(page, 1018));
            std::printf("page %d (%s): %s\n", index, kPageNames[index], d.text(d.frame()).c_str());
            savePicture(d, d.mainWindow(), pictures, std::to_string(index) + "-" + kPageNames[index]);
            d.next();
        }
        HWND progress = d.waitForProgressDialog();
        ::Sleep(500);
        std::printf("progress dialog: %s\n", d.text(progress).c_str());
        savePicture(d, progress, pictures, "progress");
        d.waitForPage(kFinish, 120000);
        std::printf("page 6 (finish): %s\n", d.text(d.frame()).c_str());
        savePicture(d, d.mainWindow(), pictures, "6-finish");
        // Restart later: the demo never asks the launcher to restart.
        HWND finish = d.visiblePage();
        d.setCheck(d.item(finish, 1016), false);
        d.setCheck(d.item(finish, 1020), true);
        d.cancel();
    };

    // As the launcher does: the engine takes the driver file from the current folder.
    ::SetCurrentDirectoryA(package.c_str());
    const RunOutcome outcome = runScripted(libraryEntry(package + "\\kvsetup.dll"), package, walk, 60000);
    std::printf("\nResultCode: %d%s\n", outcome.resultCode,
                outcome.resultCode == 12 ? " (finished, restart later)" : "");
    for (const std::string& failure : outcome.failures) std::printf("  walk-through problem: %s\n", failure.c_str());

    std::printf("\nFiles installed in %s:\n", destination.c_str());
    listFolder(destination, "");

    char windows[MAX_PATH] = {};
    ::GetWindowsDirectoryA(windows, sizeof(windows));
    const std::string driver = std::string(windows) + "\\system32\\Drivers\\KVFLTSYS.SYS";
    std::printf("  and the filter driver: %s (%s)\n", driver.c_str(),
                ::GetFileAttributesA(driver.c_str()) != INVALID_FILE_ATTRIBUTES ? "present" : "missing");

    std::printf("\nRegistry values written:\n");
    listRegistryValues("  ");

    std::vector<kv::LogRecord> records;
    {  // closed again before the uninstaller wants to delete it
        std::ifstream log(destination + "\\kvrem00.log", std::ios::binary);
        const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>()};
        kv::decodeLog(bytes, records);
    }

    std::printf("\nShortcuts made:\n");
    for (const kv::LogRecord& record : records)
        if (record.type == kv::kLogShortcut) std::printf("  %s\n", record.text.c_str());

    // tools/kvlog lists and checks the log itself (demo.sh runs it).
    std::printf("\nUninstallLog file: %s\\kvrem00.log\n", destination.c_str());
    std::fflush(stdout);
    // demo.sh reads the log with tools/kvlog before the uninstaller removes it.
    const std::string kept = pictures + "\\kvrem00.log";
    ::CopyFileA((destination + "\\kvrem00.log").c_str(), kept.c_str(), FALSE);
    std::printf("UninstallLog kept as: %s\n", kept.c_str());

    const bool installed = outcome.failures.empty() && outcome.resultCode == 12;
    if (installOnly) return installed ? 0 : 1;
    const int removed = installed ? uninstall(destination, pictures, driver, records) : 1;
    std::fflush(stdout);
    return installed && removed == 0 ? 0 : 1;
}
