// The files the worker copies, from the folders it reads them from, and the
// platform setup components it starts.
#include "base/bounded_format.h"
#include "base/unique_handle.h"
#include "base/win.h"
#include "check_context.h"
#include "common/language_table.h"
#include "install/file_table.h"
#include "install/platform_setup.h"

namespace kvcheck {
namespace {

void expectFile(CheckContext& context, const std::string& relative, const std::string& why) {
    const std::string path = packagePath(context, relative);
    if (path.size() >= kv::kPathCapacity)
        context.findings.error(relative, 0, "its path in the package does not fit 259 characters: " + why +
                                                " is never copied");
    else if (!fileExists(path))
        context.findings.error(relative, 0, "missing: " + why);
}

void checkSetupLibrary(CheckContext& context) {
    const std::string relative = kv::kSetupLibraryName;
    const std::string path = packagePath(context, relative);
    if (!fileExists(path)) {
        context.findings.error(relative, 0, "missing: the driver is not set up on Windows NT 4");
        return;
    }
    // Mapped without running its start-up code: only the entry is looked up.
    kv::UniqueModule library(::LoadLibraryExA(path.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES));
    if (!library)
        context.findings.error(relative, 0, "cannot be loaded as a library: the driver is not set up on Windows NT 4");
    else if (::GetProcAddress(library.get(), "Setup") == nullptr)
        context.findings.error(relative, 0, "has no entry \"Setup\": the driver is not set up on Windows NT 4");
}

}  // namespace

void checkPayload(CheckContext& context) {
    using namespace kv;
    for (int i = kFirstProgramFile; i <= kLastProgramFile; ++i)
        expectFile(context, kFileTable[i], "a program file the run installs");
    for (int i = kFirstUninstallSupport; i <= kLastUninstallSupport; ++i)
        expectFile(context, kFileTable[i], "a file the uninstaller needs");
    expectFile(context, kFileTable[kUninstallerProgram], "the uninstaller");
    for (const char* variant : {"3D", "4D"})
        for (int i = kFirstVariantFile; i <= kLastVariantFile; ++i)
            expectFile(context, std::string(variant) + "\\" + kFileTable[i],
                       std::string("a file of mouse type ") + variant);
    for (int index = 0; index < kLanguageCount; ++index) {
        const std::string code = languageCodeAt(index);
        for (int i = kFirstLanguageFile; i <= kLastLanguageFile; ++i)
            expectFile(context, code + "\\" + kFileTable[i], std::string("a file of ") + languageNameAt(index));
        expectFile(context,
                   std::string(kFileTable[kLanguageSubfolder]) + kFileTable[kUninstallTextStem] + "." + code,
                   std::string("the uninstaller's texts in ") + languageNameAt(index));
    }
    // The launcher makes the package folder the current folder, from which
    // the worker copies the driver.
    expectFile(context, kFileTable[kFilterDriverFile], "the filter driver");
    expectFile(context, kSetupProgramName, "the driver is not set up on Windows 95, 98 and ME");
    checkSetupLibrary(context);
    if (!folderExists(packagePath(context, "winnt")))
        context.findings.warning("winnt", 0, "missing folder: the NT 4 setup library is given it");
    if (!folderExists(packagePath(context, "winme")))
        context.findings.warning("winme", 0, "missing folder: the setup program is given it on Windows ME");
}

}  // namespace kvcheck
