// What every check of the package checker shares: the package folder, its
// scanned kvsetup.ini and the findings so far.
#pragma once
#include "findings.h"
#include "ini_scan.h"

#include <string>
#include <vector>

namespace kvcheck {

struct CheckContext {
    std::string folder;  // the package folder as given, no trailing separator
    bool haveConfig = false;
    IniScan config;
    Findings& findings;
};

constexpr char kConfigFile[] = "kvsetup.ini";

std::string packagePath(const CheckContext& context, const std::string& relative);
bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
bool readWholeFile(const std::string& path, std::string& bytes);

// A value as the platform's profile reader returns it, through a buffer far
// larger than the engine's, so that a value it would cut can be told.
std::string readProfileValue(const std::string& path, const char* section, const char* key);

// The names, relative to the installation folder, of every file a run
// installs (compared without regard to case).
const std::vector<std::string>& installedFileNames();
bool isInstalledFile(const std::string& relative);

// "(did you mean X?)" for the nearest of `names`, or "" when none is close.
std::string nearestName(const std::string& name, const std::vector<std::string>& names);

void checkConfig(CheckContext& context);
void checkLanguages(CheckContext& context);
void checkUninstallTexts(CheckContext& context);

// The bytes of a language text as its code page reads them: an error for a
// byte that begins no character, a warning for a 1252 text that looks like
// UTF-8. `name` says which text ("[DLG] P31").
void checkTextBytes(CheckContext& context, const std::string& file, int line, const std::string& name,
                    const std::string& raw, int codePage);
void checkPayload(CheckContext& context);
void checkIcons(CheckContext& context);

}  // namespace kvcheck
