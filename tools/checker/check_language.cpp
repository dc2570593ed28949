// The ten language files: every text the engine reads, in its language's
// code page, with the placeholders it must or must not hold, within its
// buffer.
#include "base/bounded_format.h"
#include "check_context.h"
#include "code_page_bytes.h"
#include "common/language_strings.h"
#include "common/language_table.h"
#include "common/package_names.h"
#include "common/text_rules.h"
#include "printf_sequences.h"

#include <cstring>

namespace kvcheck {
namespace {

struct TextAt {
    const std::string& file;
    int line;
    std::string name;  // "[DLG] P31"
};

void checkPlaceholders(CheckContext& context, const TextAt& at, const kv::LanguageKey& key,
                       const std::string& value) {
    std::string shown = value;
    if (key.namesProduct) {
        std::vector<char> text(value.begin(), value.end());
        text.push_back('\0');
        kv::applyPlaceholderRule(text.data());
        shown = kv::fillStringPlaceholder(text.data(), "\x01");
        if (shown.find('\x01') == std::string::npos)
            context.findings.warning(at.file, at.line,
                                     at.name + " has no %P: the display name is not shown");
    }
    for (const std::string& sequence : printfSequences(shown))
        context.findings.warning(at.file, at.line,
                                 at.name + " holds \"" + sequence +
                                     "\", which is shown literally (texts are never formats" +
                                     (key.namesProduct ? "; only the first %P is filled in)" : ")"));
}

void checkText(CheckContext& context, const std::string& file, const std::string& path,
               const IniScan& scan, const kv::LanguageKey& key, int codePage) {
    const IniSection* section = findSection(scan, key.section);
    const IniEntry* entry = findEntry(section, key.key);
    const TextAt at{file, entry ? entry->line : (section ? section->line : 0),
                    std::string("[") + key.section + "] " + key.key};
    const std::string value = readProfileValue(path, key.section, key.key);
    if (value.empty()) {
        context.findings.error(file, at.line, at.name + (entry ? " is empty" : " is missing") +
                                                  ": the window shows an empty text");
        return;
    }
    if (value.size() >= key.bufferSize)
        context.findings.error(file, at.line,
                               at.name + " has " + std::to_string(value.size()) + " bytes; the engine reads only the first " +
                                   std::to_string(key.bufferSize - 1));
    checkTextBytes(context, file, at.line, at.name, entry ? entry->value : value, codePage);
    checkPlaceholders(context, at, key, value);
}

}  // namespace

void checkTextBytes(CheckContext& context, const std::string& file, int line, const std::string& name,
                    const std::string& raw, int codePage) {
    std::string why;
    const int bad = firstInvalidByte(raw, codePage, why);
    if (bad >= 0)
        context.findings.error(file, line, name + ": byte " + std::to_string(bad) + ": " + why + " in code page " +
                                               std::to_string(codePage));
    else if (codePage == 1252 && looksLikeUtf8(raw))
        context.findings.warning(file, line,
                                 name + " looks like UTF-8; the file must be in code page 1252, "
                                        "or the text shows garbled");
}

void checkLanguages(CheckContext& context) {
    int keyCount = 0;
    const kv::LanguageKey* keys = kv::languageKeys(keyCount);
    for (int index = 0; index < kv::kLanguageCount; ++index) {
        const char* code = kv::languageCodeAt(index);
        const std::string file = std::string(kv::kLanguageFolder) + kv::kLanguageFileStem + "." + code;
        char path[kv::kPathCapacity];
        if (!kv::languageFilePath(path, sizeof(path), context.folder.c_str(), code)) {
            context.findings.error(file, 0, "its path does not fit 259 characters: the engine reads no text");
            continue;
        }
        std::string bytes;
        if (!readWholeFile(path, bytes)) {
            context.findings.error(file, 0, std::string("missing: every text of ") + kv::languageNameAt(index) +
                                                " would be empty");
            continue;
        }
        const IniScan scan = scanIni(bytes);
        const int codePage = codePageOfLanguage(code);
        for (int k = 0; k < keyCount; ++k) checkText(context, file, path, scan, keys[k], codePage);
    }
}

}  // namespace kvcheck
