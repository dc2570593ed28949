// The ten languages of the setup, indexed by a language index.
#pragma once
#include <cstdint>

namespace kv {

constexpr int kLanguageCount = 10;

const char* languageCodeAt(int index);  // "enu" for an index out of range
const char* languageNameAt(int index);  // "English" for an index out of range

// Table index for a system language identifier; -1 when it is not listed
// (English ones included: they keep the current index).
int languageIndexForLangId(std::uint16_t langId);

// The index of the system's default language; `currentIndex` when that
// language is not listed.
int detectDefaultLanguage(int currentIndex);

}  // namespace kv
