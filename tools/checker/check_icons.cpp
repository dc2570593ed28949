// [Icons]: every entry read and split as the shortcut step does, what each
// would point to, and entries that make no shortcut or are never read.
#include "base/bounded_format.h"
#include "check_context.h"
#include "install/install_state.h"
#include "common/language_strings.h"
#include "common/language_table.h"
#include "common/setup_config.h"
#include "common/text_rules.h"
#include "install/icons_entry.h"
#include "printf_sequences.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace kvcheck {
namespace {

bool isDecimal(const std::string& key) {
    if (key.empty()) return false;
    for (char c : key)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

bool hasOuterBlank(const std::string& text) {
    return !text.empty() && (text.front() == ' ' || text.back() == ' ');
}

// The name as the shortcut step makes it, with the shortcut-name text of
// each language in place of its "%s".
void checkName(CheckContext& context, int line, const std::string& label, const std::string& name) {
    if (name.empty()) {
        context.findings.error(kConfigFile, line, label + " has an empty name: the shortcut is \".lnk\"");
        return;
    }
    if (name.find('%') != std::string::npos) {
        int percentS = 0;
        for (const std::string& sequence : printfSequences(name)) {
            if (sequence == "%s" && percentS++ == 0) continue;
            if (sequence == "%%") continue;
            context.findings.warning(kConfigFile, line,
                                     label + " name holds \"" + sequence + "\", which stays as written");
        }
    }
    for (int index = 0; index < kv::kLanguageCount; ++index) {
        const std::string languageFile =
            packagePath(context, std::string("kv-00001\\kvsetlan.") + kv::languageCodeAt(index));
        const std::string argument = readProfileValue(languageFile, "MSG", "12");
        const std::string made = name.find('%') == std::string::npos
                                     ? name
                                     : kv::fillStringPlaceholder(name.c_str(), argument.c_str());
        if (made.find_first_of("\\/:*?\"<>|") != std::string::npos) {
            context.findings.error(kConfigFile, line,
                                   label + " name " + quoted(made) + " (" + kv::languageNameAt(index) +
                                       ") holds a character not allowed in file names: the shortcut cannot be saved");
            return;
        }
        if (name.find('%') == std::string::npos) return;  // the same in every language
    }
}

void checkEntry(CheckContext& context, int number, int line, const std::string& text) {
    const std::string label = "[Icons] " + std::to_string(number);
    if (text.size() >= kv::kPathCapacity)
        context.findings.error(kConfigFile, line,
                               label + " has " + std::to_string(text.size()) +
                                   " characters; the shortcut step reads only the first 259");
    const std::string seen = text.substr(0, kv::kPathCapacity - 1);
    kv::IconsEntry entry;
    if (!kv::parseIconsEntry(seen.c_str(), entry)) {
        context.findings.error(kConfigFile, line, label + " " + quoted(seen) +
                                                      " has no comma: it makes no shortcut (\"target,name[,icon]\")");
        return;
    }
    context.findings.info(kConfigFile, line,
                          label + ": target " + quoted(entry.target) + ", name " + quoted(entry.name) +
                              ", icon " + quoted(entry.hasIcon ? entry.icon : entry.target));
    const char* blanks = " (blanks around the commas are kept)";
    if (!isInstalledFile(entry.target))
        context.findings.error(kConfigFile, line, label + " target " + quoted(entry.target) +
                                                      " is no file the run installs" +
                                                      (hasOuterBlank(entry.target) ? blanks : ""));
    if (entry.hasIcon && !isInstalledFile(entry.icon))
        context.findings.warning(kConfigFile, line, label + " icon " + quoted(entry.icon) +
                                                        " is no file the run installs" +
                                                        (hasOuterBlank(entry.icon) ? blanks : ""));
    const std::string destination = kv::installState.destinationDir;
    if (!destination.empty() && destination.size() + 1 + entry.target.size() >= kv::kPathCapacity)
        context.findings.error(kConfigFile, line,
                               label + ": the target path in the default destination folder does not fit 259 "
                                       "characters: no shortcut is made");
    checkName(context, line, label, entry.name);
}

}  // namespace

void checkIcons(CheckContext& context) {
    if (!context.haveConfig) return;
    const std::string path = packagePath(context, kConfigFile);
    kv::loadSetupConfig(kv::installState.sourceDir, kv::installState.startDir, kv::installState.destinationDir);  // the default destination folder, for path lengths
    const IniSection* section = findSection(context.config, "Icons");
    int number = 1;
    for (;; ++number) {
        const std::string text = readProfileValue(path, "Icons", std::to_string(number).c_str());
        if (text.empty()) break;
        const IniEntry* entry = findEntry(section, std::to_string(number).c_str());
        checkEntry(context, number, entry ? entry->line : 0, text);
    }
    if (section == nullptr) {
        context.findings.warning(kConfigFile, 0, "no [Icons] section: the run makes no shortcut");
    } else if (number == 1) {
        context.findings.warning(kConfigFile, section->line, "[Icons] has no key 1: the run makes no shortcut");
    }
    // The list ends at the first missing or empty number.
    if (section != nullptr) {
        for (const IniEntry& entry : section->entries) {
            if (findEntry(section, entry.key.c_str()) != &entry) {
                context.findings.warning(kConfigFile, entry.line,
                                         "[Icons] " + entry.key + " repeats an earlier key; only the first is read");
            } else if (!isDecimal(entry.key)) {
                context.findings.warning(kConfigFile, entry.line,
                                         "[Icons] key " + quoted(entry.key) + " is never read: keys are 1, 2, 3, ...");
            } else if (entry.key == std::to_string(number)) {
                context.findings.warning(kConfigFile, entry.line,
                                         "[Icons] " + entry.key + " is empty: the list of shortcuts ends here");
            } else if (std::strtol(entry.key.c_str(), nullptr, 10) >= number ||
                       std::to_string(std::strtol(entry.key.c_str(), nullptr, 10)) != entry.key) {
                context.findings.warning(kConfigFile, entry.line,
                                         "[Icons] " + entry.key + " is never read: the list ends at key " +
                                             std::to_string(number) + ", which is missing or empty");
            }
        }
    }
    kv::releaseSetupConfig();
}

}  // namespace kvcheck
