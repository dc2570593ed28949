#include "common/language_strings.h"

#include "base/bounded_format.h"
#include "base/win.h"
#include "common/multibyte_text.h"
#include "common/package_names.h"
#include "common/profile_section.h"
#include "common/text_rules.h"

#include <memory>
#include <new>

namespace kv {

LanguageStrings languageStrings;

namespace {

using L = LanguageStrings;

const LanguageKey kKeys[] = {
    {"MSG", "1", &L::backButtonText, 260, false},
    {"MSG", "2", &L::nextButtonText, 260, false},
    {"MSG", "4", &L::cancelButtonText, 260, false},
    {"MSG", "7", &L::finishButtonText, 260, false},
    {"MSG", "8", &L::browseButtonText, 260, false},
    {"MSG", "10", &L::mainWindowCaption, 260, false},
    {"MSG", "11", &L::mainTitlePrefix, 260, false},
    {"MSG", "12", &L::shortcutNameArgument, 260, false},
    {"MSG", "13", &L::languagePageTitle, 260, false},
    {"MSG", "20", &L::confirmCaption, 260, false},
    {"MSG", "21", &L::confirmOkText, 260, false},
    {"MSG", "22", &L::confirmCancelText, 260, false},
    {"MSG", "23", &L::confirmLine1, 260, false},
    {"MSG", "24", &L::confirmLine2, 260, false},
    {"MSG", "25", &L::confirmLine3, 260, false},
    {"MSG", "301", &L::progressCopyText, 260, false},
    {"MSG", "302", &L::progressRegistryText, 260, false},
    {"MSG", "304", &L::progressShortcutText, 260, false},
    {"MSG", "306", &L::progressUninstallText, 260, false},
    {"DLG", "P1T", &L::welcomeTitle, 260, false},
    {"DLG", "P11", &L::welcomeText1, 260, false},
    {"DLG", "P12", &L::welcomeText2, 260, false},
    {"DLG", "P13", &L::welcomeText3, 260, false},
    {"DLG", "P14", &L::welcomeText4, 260, false},
    {"DLG", "P15", &L::welcomeText5, 260, false},
    {"DLG", "P16", &L::welcomeText6, 260, false},
    {"DLG", "P3T", &L::destinationTitle, 260, false},
    {"DLG", "P31", &L::destinationText, 260, true},
    {"DLG", "P32", &L::destinationText2, 260, false},
    {"DLG", "P33", &L::spaceRequiredLabel, 260, false},
    {"DLG", "P4T", &L::programFolderTitle, 260, false},
    {"DLG", "P41", &L::programFolderText, 260, false},
    {"DLG", "P42", &L::programFolderLabel, 260, false},
    {"DLG", "P43", &L::existingFoldersLabel, 260, false},
    {"DLG", "P5T", &L::informationTitle, 260, false},
    {"DLG", "P51", &L::informationText, 520, false},
    {"DLG", "P7T", &L::setupTypeTitle, 260, false},
    {"DLG", "P71", &L::setupTypeText, 260, false},
    {"DLG", "ROLLER3", &L::firstOptionLabel, 260, false},
    {"DLG", "ROLLER5", &L::secondOptionLabel, 260, false},
    {"DLG", "PFT", &L::finishTitle, 260, false},
    {"DLG", "PF1", &L::finishText, 260, true},
    {"DLG", "PF2", &L::restartText, 260, false},
    {"DLG", "PF4", &L::restartNowLabel, 260, false},
    {"DLG", "PF5", &L::restartLaterLabel, 260, false},
    // The finish page after an install that stopped and was taken back.
    {"DLG", "PFS", &L::stoppedTitle, 260, false},
    {"DLG", "PF6", &L::stoppedText, 260, true},
    {"DLG", "PF7", &L::stoppedReasonText, 260, false},
};

}  // namespace

const LanguageKey* languageKeys(int& count) {
    count = static_cast<int>(sizeof(kKeys) / sizeof(kKeys[0]));
    return kKeys;
}

bool languageFilePath(char* out, unsigned capacity, const char* sourceDir, const char* code) {
    return formatBounded(out, capacity, "%s\\%s%s.%s", sourceDir, kLanguageFolder,
                         kLanguageFileStem, code ? code : "");
}

namespace {

// Room for any section the 95 family's profile functions can return.
constexpr DWORD kSectionCapacity = 32767;

// One section of the language file, read once, with the texts looked up in
// it; when it cannot be held whole, its texts are read key by key.
class LanguageSection {
public:
    explicit LanguageSection(const char* path)
        : path_(path), block_(new (std::nothrow) char[kSectionCapacity]) {}

    DWORD read(const LanguageKey& entry, char* buffer) {
        if (name_ == nullptr || lstrcmpiA(name_, entry.section) != 0) load(entry.section);
        if (whole_) return static_cast<DWORD>(profileSectionValue(block_.get(), length_, entry.key,
                                                                  buffer, entry.bufferSize));
        return ::GetPrivateProfileStringA(entry.section, entry.key, "", buffer, entry.bufferSize, path_);
    }

private:
    void load(const char* section) {
        name_ = section;
        length_ = 0;
        whole_ = false;
        if (!block_) return;
        length_ = ::GetPrivateProfileSectionA(section, block_.get(), kSectionCapacity, path_);
        // A section that filled the buffer may have been cut.
        whole_ = length_ < kSectionCapacity - 2;
    }

    const char* path_;
    std::unique_ptr<char[]> block_;
    const char* name_ = nullptr;
    DWORD length_ = 0;
    bool whole_ = false;
};

}  // namespace

bool loadLanguageStrings(const char* sourceDir, const char* languageCode) {
    char path[kPathCapacity];
    // A path that does not fit reads nothing (every text absent) rather than
    // reading some other, truncated file.
    const bool havePath = languageFilePath(path, sizeof(path), sourceDir, languageCode);
    releaseLanguageStrings();
    if (!havePath) return true;
    LanguageSection section(path);
    char buffer[520];
    for (const LanguageKey& entry : kKeys) {
        const DWORD length = section.read(entry, buffer);
        if (length > 0)
            languageStrings.*(entry.text) =
                makeOwnedText(buffer, fittedTextLength(buffer, length, entry.bufferSize));
    }
    for (const LanguageKey& entry : kKeys)
        if (entry.namesProduct) applyPlaceholderRule((languageStrings.*(entry.text)).get());
    return true;
}

void releaseLanguageStrings() {
    for (const LanguageKey& entry : kKeys) (languageStrings.*(entry.text)).reset();
}

}  // namespace kv
