// The values of the package's kvsetup.ini that stay in memory for the run.
#pragma once
#include "base/bounded_format.h"
#include "common/owned_text.h"

namespace kv {

struct SetupConfig {
    OwnedText productName;
    OwnedText productKey;
    OwnedText targetDir;
    OwnedText programFolder;
    OwnedText displayName;
    OwnedText mainTitle;
    OwnedText captionBar;
};

extern SetupConfig setupConfig;

struct ConfigKey {
    const char* section;
    const char* key;
    OwnedText SetupConfig::*field;
};

// Every (section, key) the loader reads, in the order it reads them.
const ConfigKey* configKeys(int& count);

// Path of kvsetup.ini in the source folder; false when it does not fit.
bool configFilePath(char* out, unsigned capacity, const char* sourceDir);

// Records the start folder (the current one) in `startDir`, reads the
// configuration of `sourceDir` and puts the default destination folder in
// `destinationDir` (empty when there is none). Never fails: missing values
// are empty texts.
void loadSetupConfig(const char* sourceDir, char (&startDir)[kPathCapacity],
                     char (&destinationDir)[kPathCapacity]);
void releaseSetupConfig();

}  // namespace kv
