// The scripted walk-through of `make demo`: runs the staged package's
// library on this thread, walks the wizard from another, saves a picture of
// the screen at every page and of the progress dialog, and reports what the
// installation left on the system.
//   kvdemo.exe <package folder> <picture folder>
#include "base/unique_handle.h"
#include "toolsupport/log_record.h"
#include "common/registry_key.h"
#include "install/registration_names.h"
#include "scripted/setup_driver.h"
#include "scripted/screenshot.h"

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

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: kvdemo <package folder> <picture folder>\n");
        return 2;
    }
    const std::string package = argv[1];
    const std::string pictures = argv[2];
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
    std::printf("  HKLM\\%s\\%s = %s\n", kv::kRunKey, kv::kAutoStartValueName,
                readString(HKEY_LOCAL_MACHINE, kv::kRunKey, kv::kAutoStartValueName).c_str());
    for (const char* name : {"InstallName", "SubInstallName", "AppPath", "ProductName", "ProductKey"})
        std::printf("  HKLM\\%s\\%s = %s\n", kv::kProductKey, name,
                    readString(HKEY_LOCAL_MACHINE, kv::kProductKey, name).c_str());

    std::vector<std::uint8_t> bytes;
    std::ifstream log(destination + "\\kvrem00.log", std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(log), std::istreambuf_iterator<char>());
    std::vector<kv::LogRecord> records;
    kv::decodeLog(bytes, records);

    std::printf("\nShortcuts made:\n");
    for (const kv::LogRecord& record : records)
        if (record.type == kv::kLogShortcut) std::printf("  %s\n", record.text.c_str());

    // tools/kvlog lists and checks the log itself (demo.sh runs it).
    std::printf("\nUninstallLog file: %s\\kvrem00.log\n", destination.c_str());
    std::fflush(stdout);
    return outcome.failures.empty() && outcome.resultCode == 12 ? 0 : 1;
}
