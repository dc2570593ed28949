// The fixed table of the package's file and folder names, in the order the
// file worker uses them.
#pragma once

namespace kv {

constexpr int kFileTableSize = 20;

enum FileTableIndex : int {
    kFirstProgramFile = 0,      // 0..5 from the source folder, logged
    kLastProgramFile = 5,
    kFirstVariantFile = 6,      // 6..8 from the variant folder, logged
    kLastVariantFile = 8,
    kFirstUninstallSupport = 9, // 9, 10 copied, never logged
    kLastUninstallSupport = 10,
    kFirstLanguageFile = 11,    // 11..13 from the language folder, logged
    kLastLanguageFile = 13,
    kUninstallerProgram = 14,
    kUninstallLogName = 15,
    kLanguageSubfolder = 16,    // carries its trailing separator
    kLanguageTextStem = 17,
    kUninstallTextStem = 18,
    kFilterDriverFile = 19,
};

extern const char* const kFileTable[kFileTableSize];

}  // namespace kv
