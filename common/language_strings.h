// Every user-interface text of the setup, loaded from the language file of the
// current language. An absent text (missing or empty key) is null.
#pragma once
#include "common/owned_text.h"

namespace kv {

struct LanguageStrings {
    // [MSG]
    OwnedText backButtonText, nextButtonText, cancelButtonText, finishButtonText,
        browseButtonText, mainWindowCaption, mainTitlePrefix, shortcutNameArgument,
        languagePageTitle, confirmCaption, confirmOkText, confirmCancelText, confirmLine1,
        confirmLine2, confirmLine3, progressCopyText, progressRegistryText,
        progressShortcutText, progressUninstallText;
    // [DLG]
    OwnedText welcomeTitle, welcomeText1, welcomeText2, welcomeText3, welcomeText4,
        welcomeText5, welcomeText6, destinationTitle, destinationText, destinationText2,
        spaceRequiredLabel, programFolderTitle, programFolderText, programFolderLabel,
        existingFoldersLabel, informationTitle, informationText, setupTypeTitle, setupTypeText,
        firstOptionLabel, secondOptionLabel, finishTitle, finishText, restartText,
        restartNowLabel, restartLaterLabel, stoppedTitle, stoppedText, stoppedReasonText;
};

extern LanguageStrings languageStrings;

struct LanguageKey {
    const char* section;
    const char* key;
    OwnedText LanguageStrings::*text;
    unsigned bufferSize;
    // Its first "%P" becomes the product's display name.
    bool namesProduct;
};

// Every (section, key) of the language file with the text it fills.
const LanguageKey* languageKeys(int& count);

// Path of the language file of `code`: "<source>\kv-00001\kvsetlan.<code>".
bool languageFilePath(char* out, unsigned capacity, const char* sourceDir, const char* code);

// Replaces every text from the language file of `languageCode` in `sourceDir`.
bool loadLanguageStrings(const char* sourceDir, const char* languageCode);
void releaseLanguageStrings();

}  // namespace kv
