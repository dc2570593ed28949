#include "common/language_table.h"

namespace kv {
namespace {

struct LanguageRow {
    const char* code;
    const char* name;
};

constexpr LanguageRow kLanguages[kLanguageCount] = {
    {"enu", "English"}, {"cht", "Chinese Taiwan"}, {"deu", "German"}, {"esn", "Spanish"},
    {"fra", "French"},  {"ita", "Italian"},        {"jpn", "Japanese"}, {"kor", "Korean"},
    {"nld", "Dutch"},   {"chs", "China"},
};

struct LangIdRow {
    std::uint16_t langId;
    int index;
};

constexpr LangIdRow kLangIds[] = {
    {0x0404, 1}, {0x0C04, 1}, {0x1004, 1},               // Chinese (traditional)
    {0x0804, 9},                                         // Chinese (simplified)
    {0x0407, 2}, {0x0807, 2}, {0x0C07, 2},               // German
    {0x040A, 3}, {0x080A, 3}, {0x0C0A, 3},               // Spanish
    {0x040C, 4}, {0x080C, 4}, {0x0C0C, 4}, {0x100C, 4},  // French
    {0x0410, 5}, {0x0810, 5},                            // Italian
    {0x0411, 6},                                         // Japanese
    {0x0412, 7}, {0x0812, 7},                            // Korean
    {0x0413, 8}, {0x0813, 8},                            // Dutch
};

}  // namespace

const char* languageCodeAt(int index) {
    return (index >= 0 && index < kLanguageCount) ? kLanguages[index].code : kLanguages[0].code;
}

const char* languageNameAt(int index) {
    return (index >= 0 && index < kLanguageCount) ? kLanguages[index].name : kLanguages[0].name;
}

int languageIndexForLangId(std::uint16_t langId) {
    for (const LangIdRow& row : kLangIds)
        if (row.langId == langId) return row.index;
    return -1;
}

}  // namespace kv
