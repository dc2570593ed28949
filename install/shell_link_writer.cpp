#include "install/shell_link_writer.h"

#include "base/late_library.h"

namespace kv {
namespace {

constexpr int kWidePathCapacity = 260;

// Wide characters of an ANSI path, terminator included; 0 when it is no text
// of the code page.
int wideLength(const String& path) {
    return ::MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
}

bool fitsWidePath(const String& path) {
    const int length = wideLength(path);
    return length > 0 && length <= kWidePathCapacity;
}

}  // namespace

bool ShellLinkWriter::ensureCreated() {
    if (!tried_) {
        tried_ = true;
        IShellLinkA* link = nullptr;
        // COM finds the shell-link server by the bare name the registry
        // gives; with the shell's library already loaded from the system
        // folder, it takes that one rather than a file beside the program.
        loadLateLibrary(LateLibrary::Shell32);
        auto createInstance = lateFunction<decltype(::CoCreateInstance)>(LateLibrary::Ole32, "CoCreateInstance");
        if (createInstance && SUCCEEDED(createInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                       IID_IShellLinkA, reinterpret_cast<void**>(&link)))) {
            shellLink_.reset(link);
            IPersistFile* persist = nullptr;
            if (SUCCEEDED(link->QueryInterface(IID_IPersistFile,
                                               reinterpret_cast<void**>(&persist))))
                persistFile_.reset(persist);
        }
    }
    return shellLink_.valid() && persistFile_.valid();
}

bool ShellLinkWriter::setDescription(const LinkDescription& description) {
    if (!ensureCreated()) return false;
    description_ = description;
    return true;
}

bool ShellLinkWriter::save(const char* linkPath) {
    if (linkPath == nullptr || !ensureCreated()) return false;
    // A target or icon the shell would cut is not saved as some other file.
    if (!fitsWidePath(description_.targetPath) || !fitsWidePath(description_.iconPath))
        return false;
    WCHAR widePath[kWidePathCapacity];
    if (::MultiByteToWideChar(CP_ACP, 0, linkPath, -1, widePath, kWidePathCapacity) == 0)
        return false;  // does not fit: nothing is saved

    IShellLinkA* link = shellLink_.get();
    link->SetPath(description_.targetPath.c_str());
    link->SetWorkingDirectory(description_.workingFolder.c_str());
    link->SetIconLocation(description_.iconPath.c_str(), description_.iconIndex);
    link->SetDescription(description_.description.c_str());
    link->SetArguments(description_.arguments.c_str());
    link->SetHotkey(description_.hotkey);
    link->SetShowCmd(description_.showCommand);
    return SUCCEEDED(persistFile_.get()->Save(widePath, TRUE));
}

}  // namespace kv
